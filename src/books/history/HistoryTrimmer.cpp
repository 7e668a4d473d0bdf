#include "books/history/HistoryTrimmer.h"

#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingFiles.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace {

const QString Removable = QStringLiteral("Reserved_Historia = FALSE AND Archiwum_Historia = FALSE");

} // namespace

HistoryTrimmer::HistoryTrimmer(HistoryDatabase& database, const HistoryRecordingFiles& files)
    : m_database(database)
    , m_files(files)
{
}

int HistoryTrimmer::trim(int limit, bool countAll)
{
    const QString counted = countAll ? QStringLiteral("Reserved_Historia = FALSE") : Removable;
    HistoryTransaction transaction(m_database);
    int count = -1;
    if (!transaction.isOpen() ||
        !m_database.selectInt(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE %1").arg(counted), {}, count)) {
        return -1;
    }
    const int excess = count - std::max(limit, 0);
    if (excess <= 0) {
        return 0;
    }
    return deleteAndCommit(transaction,
                           QStringLiteral("FROM History2 WHERE %1 ORDER BY Data1_Historia, Czas1_Historia, "
                                          "ID_Historia LIMIT ?")
                               .arg(Removable),
                           {excess});
}

int HistoryTrimmer::remove(const QList<int>& entryIds)
{
    if (entryIds.isEmpty()) {
        return 0;
    }
    QStringList placeholders;
    QVariantList values;
    for (const int id : entryIds) {
        placeholders.append(QStringLiteral("?"));
        values.append(id);
    }
    HistoryTransaction transaction(m_database);
    if (!transaction.isOpen()) {
        return -1;
    }
    return deleteAndCommit(
        transaction,
        QStringLiteral("FROM History2 WHERE %1 AND ID_Historia IN (%2)").arg(Removable, placeholders.join(u',')),
        values);
}

int HistoryTrimmer::removeAll()
{
    HistoryTransaction transaction(m_database);
    if (!transaction.isOpen()) {
        return -1;
    }
    return deleteAndCommit(transaction, QStringLiteral("FROM History2 WHERE Reserved_Historia = FALSE"), {});
}

// The files go only once the rows are gone for good: a deletion or a commit that fails (another client holding a
// shared history) leaves rows that still point at their recordings.
int HistoryTrimmer::deleteAndCommit(HistoryTransaction& transaction, const QString& rows, const QVariantList& values)
{
    QList<HistoryEntry> recorded;
    const int deleted = deleteRows(rows, values, recorded);
    if (deleted < 0 || !transaction.commit()) {
        return -1;
    }
    removeFiles(recorded);
    return deleted;
}

int HistoryTrimmer::deleteRows(const QString& rows, const QVariantList& values, QList<HistoryEntry>& recorded)
{
    {
        QSqlQuery query(m_database.database());
        query.setForwardOnly(true);
        if (!m_database.exec(query, QStringLiteral("SELECT %1 %2").arg(HistoryReader::columns(), rows), values)) {
            return -1;
        }
        while (query.next()) {
            HistoryEntry entry = HistoryReader::entryAt(query);
            if (entry.hasRecording) {
                recorded.append(std::move(entry));
            }
        }
    }
    QSqlQuery remove(m_database.database());
    if (!m_database.exec(remove,
                         QStringLiteral("DELETE FROM History2 WHERE ID_Historia IN (SELECT ID_Historia %1)").arg(rows),
                         values)) {
        return -1;
    }
    return remove.numRowsAffected();
}

void HistoryTrimmer::removeFiles(const QList<HistoryEntry>& recorded) const
{
    for (const HistoryEntry& entry : recorded) {
        m_files.remove(entry);
    }
}
