#pragma once

#include <QString>
#include <array>
#include <optional>

// A phone-book entry as the telephone window shows it when a number is chosen from it.
struct ShownEntry {
    QString name;
    QString description;
    std::array<QString, 5> numbers;
    int position = 1; // 1..5: the number that matched
};

// What the telephone window asks of the phone books and the call history.
class WindowBookPort {
public:
    virtual ~WindowBookPort() = default;

    // A number written in any way, in the form the books store numbers: "+48 601-222-333" at home in Poland gives
    // "601222333"; numbers agree only in that form.
    virtual QString normaliseNumber(const QString& number) const = 0;
    // The name of the number's contact, the books asked in the order the settings give; "" when unknown.
    virtual QString nameForNumber(const QString& number) = 0;
    // The entry that has the number, with the position that matched.
    virtual std::optional<ShownEntry> entryForNumber(const QString& number) = 0;
    // False when no phone book could be opened.
    virtual bool isOnline() const = 0;
    // Calls the user has not looked at yet.
    virtual int unseenCalls() = 0;
};
