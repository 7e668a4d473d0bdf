#include "app/BookWindowServices.h"

#include "app/BookNaming.h"
#include "books/database/TdbCore.h"

BookWindowServices::BookWindowServices(TdbCore& books, BookNaming& naming)
    : m_books(books)
    , m_naming(naming)
{
}

QString BookWindowServices::normaliseNumber(const QString& number) const
{
    return m_naming.normaliseNumber(number);
}

QString BookWindowServices::nameForNumber(const QString& number)
{
    return m_naming.nameForNumber(number);
}

std::optional<ShownEntry> BookWindowServices::entryForNumber(const QString& number)
{
    return m_naming.entryForNumber(number);
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
