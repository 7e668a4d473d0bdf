#include "app/SmsHistoryRows.h"

#include "books/database/TdbCore.h"

SmsHistoryRows::SmsHistoryRows(TdbCore& books)
    : m_books(books)
{
}

void SmsHistoryRows::addMessage(int kind, const QDateTime& when, int reference, const QString& number,
                                const QString& text)
{
    HistorySideTables* sideTables = m_books.historySideTables();
    HistoryRegister* entries = m_books.historyRegister();
    if (sideTables == nullptr || entries == nullptr) {
        return;
    }
    const int textId = sideTables->store(HistorySideTables::Table::SmsTexts, text);
    if (textId < 0) {
        return;
    }
    HistoryEntry row;
    row.kind = kind;
    row.startDate = when.date();
    row.startTime = when.time();
    row.endDate = when.date();
    row.endTime = when.time();
    row.number = number;
    row.orderNumber = reference;
    row.smsTextId = textId;
    row.bold = kind == SmsKind::Received;
    entries->addEntry(row);
}

void SmsHistoryRows::setState(int reference, int kind)
{
    m_books.setSmsState(reference, kind);
}
