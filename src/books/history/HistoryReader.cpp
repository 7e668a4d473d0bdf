#include "books/history/HistoryReader.h"

#include "books/history/HistoryDatabase.h"

#include <QSqlQuery>

namespace {

enum Column {
    Id,
    Kind,
    StartDate,
    StartTime,
    EndDate,
    EndTime,
    Number,
    Bold,
    Missed,
    HasRecording,
    Archived,
    RecordingId,
    Reserved,
    OrderNumber,
    SmsText,
    CallerName,
    CalledNumber
};

} // namespace

HistoryReader::HistoryReader(HistoryDatabase& database)
    : m_database(database)
{
}

QString HistoryReader::columns()
{
    return QStringLiteral("ID_Historia, Typ_Historia, Data1_Historia, Czas1_Historia, Data2_Historia, "
                          "Czas2_Historia, NrTel_Historia, Tluste_Historia, Stracone_Historia, "
                          "JestNagranie_Historia, Archiwum_Historia, ErecId_Historia, Reserved_Historia, ZlecenieID, "
                          "SmsID, KomentID, NrInitID");
}

HistoryEntry HistoryReader::entryAt(const QSqlQuery& query)
{
    HistoryEntry entry;
    entry.id = query.value(Id).toInt();
    entry.kind = query.value(Kind).isNull() ? HistoryKind::None : query.value(Kind).toInt();
    entry.startDate = query.value(StartDate).toDate();
    entry.startTime = query.value(StartTime).toTime();
    entry.endDate = query.value(EndDate).toDate();
    entry.endTime = query.value(EndTime).toTime();
    entry.number = query.value(Number).toString();
    entry.bold = query.value(Bold).toBool();
    entry.missed = query.value(Missed).toInt();
    entry.hasRecording = query.value(HasRecording).toBool();
    entry.archived = query.value(Archived).toBool();
    entry.recordingId = query.value(RecordingId).toString();
    entry.reserved = query.value(Reserved).toBool();
    entry.orderNumber = query.value(OrderNumber).toInt();
    entry.smsTextId = query.value(SmsText).toInt();
    entry.callerNameId = query.value(CallerName).toInt();
    entry.calledNumberId = query.value(CalledNumber).toInt();
    return entry;
}

std::optional<HistoryEntry> HistoryReader::entry(int entryId)
{
    QSqlQuery query(m_database.database());
    if (!m_database.exec(query, QStringLiteral("SELECT %1 FROM History2 WHERE ID_Historia = ?").arg(columns()),
                         {entryId}) ||
        !query.next()) {
        return std::nullopt;
    }
    return entryAt(query);
}

int HistoryReader::entryForRecording(const QString& recordingId)
{
    QSqlQuery query(m_database.database());
    if (!m_database.exec(query,
                         QStringLiteral("SELECT ID_Historia FROM History2 WHERE ErecId_Historia = ? "
                                        "ORDER BY Data1_Historia DESC, Czas1_Historia DESC, ID_Historia DESC"),
                         {recordingId}) ||
        !query.next()) {
        return -1;
    }
    return query.value(0).toInt();
}

QString HistoryReader::recordingOfEntry(int entryId)
{
    QSqlQuery query(m_database.database());
    if (!m_database.exec(query, QStringLiteral("SELECT ErecId_Historia FROM History2 WHERE ID_Historia = ?"),
                         {entryId}) ||
        !query.next()) {
        return {};
    }
    return query.value(0).toString();
}

QList<HistoryEntry> HistoryReader::entriesOfNumbers(const QStringList& numbers, ContactEntries which)
{
    QList<HistoryEntry> entries;
    if (numbers.isEmpty()) {
        return entries;
    }
    // One placeholder per number: the numbers themselves are only ever bound.
    QStringList placeholders;
    QVariantList values;
    for (const QString& number : numbers) {
        placeholders.append(QStringLiteral("?"));
        values.append(number);
    }
    const QString smsOnly = which == ContactEntries::SmsOnly ? QStringLiteral(" AND SmsID > 0") : QString();
    QSqlQuery query(m_database.database());
    query.setForwardOnly(true);
    if (!m_database.exec(query,
                         QStringLiteral("SELECT %1 FROM History2 WHERE NrTel_Historia IN (%2)%3 "
                                        "ORDER BY Data1_Historia DESC, Czas1_Historia DESC, ID_Historia DESC")
                             .arg(columns(), placeholders.join(u", "), smsOnly),
                         values)) {
        return entries;
    }
    while (query.next()) {
        entries.append(entryAt(query));
    }
    return entries;
}

int HistoryReader::countNotArchived()
{
    return count(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE Archiwum_Historia = FALSE"));
}

int HistoryReader::countAll()
{
    return count(QStringLiteral("SELECT COUNT(*) FROM History2"));
}

int HistoryReader::countUnseenCalls()
{
    return count(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE Tluste_Historia = TRUE AND Typ_Historia >= 0 "
                                "AND Typ_Historia <= 3 AND Reserved_Historia = FALSE"));
}

int HistoryReader::count(const QString& statement)
{
    QSqlQuery query(m_database.database());
    if (!m_database.exec(query, statement) || !query.next()) {
        return -1;
    }
    return query.value(0).toInt();
}
