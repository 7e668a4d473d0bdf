#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

class HistoryDatabase;
class HistoryRecordingFiles;
class HistoryTransaction;
struct HistoryEntry;

// Keeps the call history at a maximum length by deleting its oldest entries and their recording files, and deletes
// the entries the user chose. Archived entries are irremovable for both; only emptying the whole history, archive
// included, takes them.
class HistoryTrimmer final {
public:
    HistoryTrimmer(HistoryDatabase& database, const HistoryRecordingFiles& files);

    // Counts the entries that are not archived (all entries with countAll) and deletes the oldest entries that are
    // not archived beyond the limit. Rows reserved for a call in progress are neither counted nor deleted. Answers
    // the number of entries deleted, or -1 when the database fails.
    int trim(int limit, bool countAll);
    // Deletes the entries of these ids that are neither archived nor reserved, with their recordings. Answers the
    // number deleted, or -1 when the database fails.
    int remove(const QList<int>& entryIds);
    // Deletes every entry, archived ones included, with their recordings; only a row reserved for a call in
    // progress stays. Answers the number deleted, or -1 when the database fails (then nothing is deleted).
    int removeAll();

private:
    // Inside the caller's transaction: deletes the rows that "SELECT ID_Historia <rows>" finds and collects the
    // entries among them that have a recording. -1 when the database fails.
    int deleteRows(const QString& rows, const QVariantList& values, QList<HistoryEntry>& recorded);
    // deleteRows, then the commit, then the recordings of the rows deleted.
    int deleteAndCommit(HistoryTransaction& transaction, const QString& rows, const QVariantList& values);
    void removeFiles(const QList<HistoryEntry>& recorded) const;

    HistoryDatabase& m_database;
    const HistoryRecordingFiles& m_files;
};
