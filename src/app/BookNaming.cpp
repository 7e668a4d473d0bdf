#include "app/BookNaming.h"

#include "books/contacts/PhoneNumbers.h"
#include "books/database/TdbCore.h"
#include "settings/SettingsRecord.h"

BookNaming::BookNaming(TdbCore& books, const SettingsRecord& settings)
    : m_books(books)
    , m_settings(settings)
{
}

QString BookNaming::normaliseNumber(const QString& number) const
{
    return PhoneNumbers::normalise(number, m_settings.Sms.SmsKier, m_settings.Sms.SmsAddCountry);
}

std::optional<ShownEntry> BookNaming::entryForNumber(const QString& number)
{
    const QString normalised = normaliseNumber(number);
    if (normalised.isEmpty()) {
        return std::nullopt;
    }
    const int id = m_books.findContactForNumber(normalised);
    PhoneBook* book = id < 0 ? nullptr : m_books.book(m_books.currentBookIndex());
    if (book == nullptr) {
        return std::nullopt;
    }
    const std::optional<Contact> contact = book->contact(id);
    if (!contact) {
        return std::nullopt;
    }
    ShownEntry entry;
    entry.name = contact->nazwa;
    entry.description = contact->opis;
    entry.numbers = contact->numbers;
    entry.position = book->matchedPosition() > 0 ? book->matchedPosition() : 1;
    return entry;
}

QString BookNaming::nameForNumber(const QString& number)
{
    const std::optional<ShownEntry> entry = entryForNumber(number);
    return entry ? entry->name : QString();
}

QString BookNaming::nameAsWritten(const QString& number)
{
    return m_books.nameForNumber(number);
}
