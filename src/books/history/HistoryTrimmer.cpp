#include "books/history/HistoryTrimmer.h"

#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingFiles.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

HistoryTrimmer::HistoryTrimmer(HistoryDatabase& database, const HistoryRecordingFiles& files)
    : m_database(database)
    , m_files(files)
{
}

int HistoryTrimmer::trim(int limit, bool countAll)
{
    const QString counted = countAll ? QStringLiteral("Reserved_Historia = FALSE")
                                     : QStringLiteral("Reserved_Historia = FALSE AND Archiwum_Historia = FALSE");
    const QString deletable = countAll ? QStringLiteral("Reserved_Historia = FALSE AND (Archiwum_Historia = FALSE OR "
                                                        "JestNagranie_Historia = TRUE)")
                                       : counted;
    // The same oldest rows are read for their files and then deleted, inside one transaction.
    const QString oldest = QStringLiteral("FROM History2 WHERE %1 ORDER BY Data1_Historia, Czas1_Historia, "
                                          "ID_Historia LIMIT ?")
                               .arg(deletable);

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
    // The files go only once the rows are gone for good: a deletion or a commit that fails (another client holding
    // a shared history) leaves rows that still point at their recordings.
    QList<HistoryEntry> recorded;
    {
        QSqlQuery rows(m_database.database());
        rows.setForwardOnly(true);
        if (!m_database.exec(rows, QStringLiteral("SELECT %1 %2").arg(HistoryReader::columns(), oldest), {excess})) {
            return -1;
        }
        while (rows.next()) {
            HistoryEntry entry = HistoryReader::entryAt(rows);
            if (entry.hasRecording) {
                recorded.append(std::move(entry));
            }
        }
    }
    int deleted = 0;
    {
        QSqlQuery remove(m_database.database());
        if (!m_database.exec(
                remove, QStringLiteral("DELETE FROM History2 WHERE ID_Historia IN (SELECT ID_Historia %1)").arg(oldest),
                {excess})) {
            return -1;
        }
        deleted = remove.numRowsAffected();
    }
    if (!transaction.commit()) {
        return -1;
    }
    for (const HistoryEntry& entry : recorded) {
        m_files.remove(entry);
    }
    return deleted;
}
