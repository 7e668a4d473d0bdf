#pragma once

#include "books/history/HistoryEntry.h"

#include <QString>
#include <functional>

// The recording files of history entries, in the recording folder. A file is named from the call alone: the
// phone-book name of the number (or "unknown call"), the start and the duration.
class HistoryRecordingFiles final {
public:
    using NameForNumber = std::function<QString(const QString& number)>;

    HistoryRecordingFiles(QString folder, NameForNumber nameForNumber);

    // The file name without folder; empty when the entry has no start or no end.
    QString fileName(const HistoryEntry& entry) const;
    // Deletes the entry's file when it lies directly in the folder; answers whether a file was deleted.
    bool remove(const HistoryEntry& entry) const;

private:
    QString m_folder;
    NameForNumber m_nameForNumber;
};
