#pragma once

class HistoryDatabase;
class HistoryRecordingFiles;

// Keeps the call history at a maximum length by deleting its oldest entries and their recording files.
class HistoryTrimmer final {
public:
    HistoryTrimmer(HistoryDatabase& database, const HistoryRecordingFiles& files);

    // Counts the entries that are not archived (all entries with countAll) and deletes the oldest beyond the limit.
    // Archived entries stay, except that with countAll an archived entry that has a recording goes as well.
    // Rows reserved for a call in progress are neither counted nor deleted. Answers the number of entries
    // deleted, or -1 when the database fails.
    int trim(int limit, bool countAll);

private:
    HistoryDatabase& m_database;
    const HistoryRecordingFiles& m_files;
};
