#pragma once

#include "pbxlink/calls/CallPorts.h"

// Until the recorder is part of the program, no sound device is used and nothing is recorded. History rows
// written are printed on standard output, as the history window would show them.
class ConsoleCallLog final : public RecorderPort {
public:
    bool isDeviceUsable() const override { return false; }
    void startRecording(int /*mode*/, const QString& /*name*/) override {}
    void stopRecording(bool /*answered*/) override {}
    void finishCall(qint64 /*durationSeconds*/, const QDateTime& /*start*/, const QString& /*number*/,
                    const QString& /*name*/) override
    {
    }

    static void printHistoryRow(const CallHistoryEntry& entry);
};
