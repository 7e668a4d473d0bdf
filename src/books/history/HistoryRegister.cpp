#include "books/history/HistoryRegister.h"

#include "books/database/BookSchema.h"
#include "books/history/HistoryDatabase.h"
#include "settings/Lang.h"

#include <QDebug>
#include <QSqlQuery>
#include <QVariant>

using Lang::_;

namespace {

constexpr int RecordingIdWidth = 7;

// A date or time of day for binding: a null one binds as NULL of the column's type.
QVariant bound(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant(QMetaType::fromType<QDate>());
}

QVariant bound(const QTime& time)
{
    return time.isValid() ? QVariant(time) : QVariant(QMetaType::fromType<QTime>());
}

// "col = ?" for a known value, "col IS NULL" for a missing one, so that an entry without an end still matches.
QString equals(const QString& column, const QVariant& value, QVariantList& values)
{
    if (value.isNull()) {
        return column + QStringLiteral(" IS NULL");
    }
    values.append(value);
    return column + QStringLiteral(" = ?");
}

bool isBold(int kind)
{
    return kind == HistoryKind::IncomingMissed || kind == HistoryKind::SmsTakenBack;
}

QVariantList writtenValues(const HistoryEntry& entry)
{
    return {entry.kind,           bound(entry.startDate), bound(entry.startTime), bound(entry.endDate),
            bound(entry.endTime), entry.number,           entry.orderNumber,      entry.smsTextId,
            entry.callerNameId,   entry.calledNumberId,   isBold(entry.kind),     entry.hasRecording};
}

} // namespace

HistoryRegister::HistoryRegister(HistoryDatabase& database)
    : m_database(database)
{
}

int HistoryRegister::addEntry(const HistoryEntry& newEntry)
{
    if (newEntry.kind == HistoryKind::None || newEntry.number.isEmpty()) {
        return -1;
    }
    HistoryEntry entry = newEntry;
    if (entry.number == u"0" || entry.number == u"_") {
        entry.number = _("Unknown");
    }
    if (entry.number.size() > BookSchema::NumberWidth) {
        // Cut here, the same on every engine: SQLite would keep the whole number and PostgreSQL refuse the row.
        qWarning().noquote() << "A number of" << entry.number.size() << "characters is written into the history as"
                             << entry.number.left(BookSchema::NumberWidth);
        entry.number.truncate(BookSchema::NumberWidth);
    }
    HistoryTransaction transaction(m_database);
    if (!transaction.isOpen()) {
        return -1;
    }
    int id = -1;
    if (!HistoryKind::isSms(entry.kind) && !reservedRow(id)) {
        return -1;
    }
    if (id < 0 && !matchingEntry(entry, id)) {
        return -1;
    }
    QVariantList values = writtenValues(entry);
    if (id < 0) {
        id = m_database.insert(
            QStringLiteral("INSERT INTO History2 (Typ_Historia, Data1_Historia, Czas1_Historia, Data2_Historia, "
                           "Czas2_Historia, NrTel_Historia, ZlecenieID, SmsID, KomentID, NrInitID, Tluste_Historia, "
                           "JestNagranie_Historia, Stracone_Historia, Archiwum_Historia, Reserved_Historia) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, FALSE, FALSE)"),
            QStringLiteral("ID_Historia"), values);
        if (id < 0) {
            return -1;
        }
    } else {
        // A recording flag once set stays set whatever a later update says.
        values.append(id);
        QSqlQuery update(m_database.database());
        if (!m_database.exec(update,
                             QStringLiteral("UPDATE History2 SET Typ_Historia = ?, Data1_Historia = ?, "
                                            "Czas1_Historia = ?, Data2_Historia = ?, Czas2_Historia = ?, "
                                            "NrTel_Historia = ?, ZlecenieID = ?, SmsID = ?, KomentID = ?, "
                                            "NrInitID = ?, Tluste_Historia = ?, JestNagranie_Historia = "
                                            "(COALESCE(JestNagranie_Historia, FALSE) OR ?), Stracone_Historia = 0, "
                                            "Archiwum_Historia = COALESCE(Archiwum_Historia, FALSE), "
                                            "Reserved_Historia = FALSE WHERE ID_Historia = ?"),
                             values)) {
            return -1;
        }
    }
    if (!transaction.commit()) {
        return -1;
    }
    if (m_added) {
        m_added(id, entry);
    }
    return id;
}

int HistoryRegister::reserveEntry()
{
    HistoryTransaction transaction(m_database);
    int id = -1;
    if (!transaction.isOpen() || !reservedRow(id)) {
        return -1;
    }
    if (id < 0) {
        id = m_database.insert(QStringLiteral("INSERT INTO History2 (Reserved_Historia, Archiwum_Historia, "
                                              "JestNagranie_Historia, Tluste_Historia, Stracone_Historia) "
                                              "VALUES (TRUE, FALSE, FALSE, FALSE, 0)"),
                               QStringLiteral("ID_Historia"));
    }
    return id >= 0 && transaction.commit() ? id : -1;
}

bool HistoryRegister::setRecording(int entryId, const QString& recordingId)
{
    return m_database.write(QStringLiteral("UPDATE History2 SET ErecId_Historia = ?, JestNagranie_Historia = TRUE "
                                           "WHERE ID_Historia = ?"),
                            {recordingId.left(RecordingIdWidth), entryId});
}

bool HistoryRegister::reservedRow(int& id)
{
    return m_database.selectInt(QStringLiteral("SELECT ID_Historia FROM History2 WHERE Reserved_Historia = TRUE "
                                               "ORDER BY ID_Historia DESC LIMIT 1"),
                                {}, id);
}

bool HistoryRegister::matchingEntry(const HistoryEntry& entry, int& id)
{
    QVariantList values{entry.kind, entry.number};
    const QStringList conditions{QStringLiteral("Typ_Historia = ?"),
                                 QStringLiteral("NrTel_Historia = ?"),
                                 equals(QStringLiteral("Data1_Historia"), bound(entry.startDate), values),
                                 equals(QStringLiteral("Czas1_Historia"), bound(entry.startTime), values),
                                 equals(QStringLiteral("Data2_Historia"), bound(entry.endDate), values),
                                 equals(QStringLiteral("Czas2_Historia"), bound(entry.endTime), values)};
    return m_database.selectInt(QStringLiteral("SELECT ID_Historia FROM History2 WHERE %1 "
                                               "ORDER BY ID_Historia DESC LIMIT 1")
                                    .arg(conditions.join(QStringLiteral(" AND "))),
                                values, id);
}
