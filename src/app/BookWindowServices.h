#pragma once

#include "phone/WindowBookPort.h"

class BookNaming;
class TdbCore;

// The telephone window's view of the phone books and the call history: names and entries for numbers, asked of
// the books in the order the settings give, and the count of calls the user has not seen.
class BookWindowServices final : public WindowBookPort {
public:
    BookWindowServices(TdbCore& books, BookNaming& naming);

    QString normaliseNumber(const QString& number) const override;
    QString nameForNumber(const QString& number) override;
    std::optional<ShownEntry> entryForNumber(const QString& number) override;
    bool isOnline() const override;
    int unseenCalls() override;

private:
    TdbCore& m_books;
    BookNaming& m_naming;
};
