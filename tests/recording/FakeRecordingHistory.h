#pragma once

#include "recording/pbx/RecordingHistoryPort.h"

#include <QHash>
#include <QMap>

// A call history of a few entries in memory, for the recording manager.
class FakeRecordingHistory final : public RecordingHistoryPort {
public:
    struct Entry {
        QDateTime start;
        QString number;
        QString recordingId;
        bool hasRecording = false;
    };

    bool setRecording(int entryId, const QString& recordingId) override
    {
        if (!entries.contains(entryId)) {
            return false;
        }
        entries[entryId].recordingId = recordingId;
        entries[entryId].hasRecording = true;
        ++recordingsSet;
        return true;
    }
    int entryForRecording(const QString& recordingId) override
    {
        for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
            if (!recordingId.isEmpty() && it->recordingId == recordingId) {
                return it.key();
            }
        }
        return -1;
    }
    QString recordingOfEntry(int entryId) override { return entries.value(entryId).recordingId; }
    std::optional<CallData> callData(int entryId) override
    {
        if (!entries.contains(entryId)) {
            return std::nullopt;
        }
        return CallData{entries[entryId].start, entries[entryId].number};
    }
    QString nameForNumber(const QString& number) override { return names.value(number); }
    QString recordingsFolder() override { return folder; }

    QMap<int, Entry> entries;
    QHash<QString, QString> names;
    QString folder;
    int recordingsSet = 0;
};
