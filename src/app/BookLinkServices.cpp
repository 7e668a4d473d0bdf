#include "app/BookLinkServices.h"

#include "app/BookNaming.h"
#include "books/database/TdbCore.h"

namespace {

// The identifier of a stored text; the side tables answer 0 (their "none" row) or less when storing failed.
std::optional<int> storedId(int id)
{
    return id > 0 ? std::optional<int>(id) : std::nullopt;
}

} // namespace

BookLinkServices::BookLinkServices(TdbCore& books, BookNaming& naming,
                                   std::function<void(const CallHistoryEntry&)> rowAdded)
    : m_books(books)
    , m_naming(naming)
    , m_rowAdded(std::move(rowAdded))
{
}

bool BookLinkServices::hasMissedCalls() const
{
    HistoryReader* reader = m_books.historyReader();
    return reader != nullptr && reader->countUnseenCalls() > 0;
}

void BookLinkServices::reconnectFailedBooks()
{
    m_books.reconnectFailedBooks();
}

std::optional<int> BookLinkServices::storeSideText(HistorySideTables::Table table, const QString& text)
{
    HistorySideTables* sideTables = m_books.historySideTables();
    return sideTables != nullptr ? storedId(sideTables->store(table, text)) : std::nullopt;
}

std::optional<int> BookLinkServices::callerNameId(const QString& name)
{
    return storeSideText(HistorySideTables::Table::CallerNames, name);
}

std::optional<int> BookLinkServices::calledNumberId(const QString& number)
{
    return storeSideText(HistorySideTables::Table::CalledNumbers, number);
}

void BookLinkServices::reserveRowForCallInProgress()
{
    if (HistoryRegister* entries = m_books.historyRegister()) {
        const int entryId = entries->reserveEntry();
        if (entryId >= 0 && m_rowReserved) {
            m_rowReserved(entryId);
        }
    }
}

void BookLinkServices::addEntry(const CallHistoryEntry& entry)
{
    HistoryEntry row;
    row.kind = entry.type;
    row.startDate = entry.start.date();
    row.startTime = entry.start.time();
    row.endDate = entry.end.date();
    row.endTime = entry.end.time();
    row.number = entry.number;
    row.callerNameId = entry.callerNameId.value_or(0);
    row.calledNumberId = entry.calledNumberId.value_or(0);
    row.hasRecording = entry.recordingMade;
    HistoryRegister* entries = m_books.historyRegister();
    const int entryId = entries != nullptr ? entries->addEntry(row) : -1;
    if (entryId >= 0 && m_rowAdded) {
        m_rowAdded(entry);
    }
    if (entryId >= 0 && m_rowWritten) {
        m_rowWritten(entryId, entry.start, entry.number);
    }
}

void BookLinkServices::trim(int keepRows)
{
    // A limit of 0 would empty the history after every call; it is taken as "no limit".
    if (keepRows > 0) {
        m_books.trimHistory(keepRows, false);
    }
}

QString BookLinkServices::nameForNumber(const QString& number)
{
    return m_naming.nameAsWritten(number);
}

QString BookLinkServices::callerName(const QString& number)
{
    return m_naming.nameForNumber(number);
}
