#pragma once

#include "books/history/HistoryEntry.h"

#include <functional>

class HistoryDatabase;

// Writes calls and SMS messages into the call history: new entries, rows reserved for a call in progress, and the
// PBX recording of an entry.
class HistoryRegister final {
public:
    explicit HistoryRegister(HistoryDatabase& database);

    // Stores the entry's kind, start, end, number, order number, side-table ids and recording flag, and answers
    // the entry id, or -1 when the kind or number is missing or the database fails. An SMS updates the entry of
    // the same kind, number, start and end; a call fills the reserved row first, else updates such an entry.
    int addEntry(const HistoryEntry& entry);
    // A hidden row for the call in progress, reused until addEntry() fills it; -1 when the database fails.
    int reserveEntry();
    // Links the PBX-made recording to the entry.
    bool setRecording(int entryId, const QString& recordingId);

    // Told of every entry added or updated by addEntry(), once it is in the file: its id and what was written.
    void setAddedListener(std::function<void(int entryId, const HistoryEntry& entry)> listener)
    {
        m_added = std::move(listener);
    }

private:
    bool reservedRow(int& id);
    bool matchingEntry(const HistoryEntry& entry, int& id);

    HistoryDatabase& m_database;
    std::function<void(int, const HistoryEntry&)> m_added;
};
