#pragma once

#include "sms/SmsBookPort.h"

class TdbCore;
struct SettingsRecord;

// The phone books as the SMS recipient picker reads them: a book's groups, and the numbers of the contacts whose
// name passes the book window's name search (its mode and diacritic folding from the settings).
class SmsBookNumbers final : public SmsBookPort {
public:
    SmsBookNumbers(TdbCore& books, const SettingsRecord& settings);

    QList<Group> groups(int book) override;
    QList<Number> numbers(int book, const QString& searchText) override;

private:
    TdbCore& m_books;
    const SettingsRecord& m_settings;
};
