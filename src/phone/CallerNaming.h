#pragma once

#include <QString>

class WindowBookPort;
struct SettingsRecord;

// The texts that name the parties of a call on the telephone window: the phone books first, then the name the
// exchange sent with the call when the user wants it, else the number.
class CallerNaming final {
public:
    struct IncomingLabels {
        QString callerNumber; // without a leading "/"
        QString name;         // from the books, the exchange or the number
        QString text;         // "From: <name or number>"
        QString hint;         // "From: <number>"
        QString trayHint;     // "Calling: <name or number>"
        QString calledText;   // "To: <name or number>" of the number the caller dialled; empty when none
    };

    CallerNaming(const SettingsRecord& settings, WindowBookPort& books);

    IncomingLabels incoming(const QString& caller, const QString& called, const QString& exchangeName) const;
    // "To: <name or number>" of a number being dialled; name is the phone book's when the caller already knows it.
    QString dialled(const QString& number, const QString& name) const;
    // The other party's name from the books, or the number.
    QString party(const QString& number) const;

    // "exten.", "company", "home", "mobile" or "other": the kind of the number at position 1..5 of an entry.
    static QString numberKind(int position);

private:
    const SettingsRecord& m_settings;
    WindowBookPort& m_books;
};
