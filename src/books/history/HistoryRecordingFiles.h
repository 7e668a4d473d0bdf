#pragma once

#include "books/history/HistoryEntry.h"

#include <QString>
#include <functional>

// The recording files of history entries, in the recording folder. A file is named from the call alone: the
// phone-book name of the number (or "unknown call"), the start and the duration for a recording of the sound card
// (".ogg"), the exchange's identifier and the start for one the exchange made (".wav").
class HistoryRecordingFiles final {
public:
    using NameForNumber = std::function<QString(const QString& number)>;
    // The folder as it is at each use: the user may choose another while the program runs.
    using Folder = std::function<QString()>;

    HistoryRecordingFiles(Folder folder, NameForNumber nameForNumber);
    HistoryRecordingFiles(const QString& folder, NameForNumber nameForNumber);

    // The file name without folder; empty for a sound-card recording without a start or an end.
    QString fileName(const HistoryEntry& entry) const;
    // Deletes the entry's file when it lies directly in the folder; answers whether a file was deleted.
    bool remove(const HistoryEntry& entry) const;
    // The folder's path of the entry's file; empty when no name can be formed.
    QString path(const HistoryEntry& entry) const;
    QString folder() const { return m_folder ? m_folder() : QString(); }

private:
    Folder m_folder;
    NameForNumber m_nameForNumber;
};
