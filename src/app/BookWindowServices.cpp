#include "app/BookWindowServices.h"

#include "books/contacts/PhoneNumbers.h"
#include "books/database/TdbCore.h"
#include "settings/SettingsRecord.h"

BookWindowServices::BookWindowServices(TdbCore& books, const SettingsRecord& settings)
    : m_books(books)
    , m_settings(settings)
{
}

QString BookWindowServices::normaliseNumber(const QString& number) const
{
    return PhoneNumbers::normalise(number, m_settings.Sms.SmsKier, m_settings.Sms.SmsAddCountry);
}

QString BookWindowServices::nameForNumber(const QString& number)
{
    const std::optional<ShownEntry> entry = entryForNumber(number);
    return entry ? entry->name : QString();
}

std::optional<ShownEntry> BookWindowServices::entryForNumber(const QString& number)
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

bool BookWindowServices::isOnline() const
{
    return m_books.isBookConnected(TdbCore::PrivateBook) || m_books.isBookConnected(TdbCore::PublicBook);
}

int BookWindowServices::unseenCalls()
{
    HistoryReader* reader = m_books.historyReader();
    return reader != nullptr ? reader->countUnseenCalls() : 0;
}
