#pragma once

#include "recording/pbx/RecordingHistoryPort.h"

#include <functional>

class HistoryReader;
class HistoryRegister;

// The call history as the exchange's recordings see it: identifiers stored in and found from entries, the call
// data that names a recording, the phone-book name of a number and the recordings folder. The history may be
// closed (the getters answer null); then nothing is linked or found.
class HistoryRecordingLinks final : public RecordingHistoryPort {
public:
    struct Sources {
        std::function<HistoryRegister*()> entries;
        std::function<HistoryReader*()> reader;
        std::function<QString(const QString& number)> nameForNumber;
        std::function<QString()> folder;
    };

    explicit HistoryRecordingLinks(Sources sources);

    bool setRecording(int entryId, const QString& recordingId) override;
    int entryForRecording(const QString& recordingId) override;
    QString recordingOfEntry(int entryId) override;
    std::optional<CallData> callData(int entryId) override;
    QString nameForNumber(const QString& number) override;
    QString recordingsFolder() override;

private:
    Sources m_sources;
};
