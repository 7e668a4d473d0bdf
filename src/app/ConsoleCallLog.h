#pragma once

#include "pbxlink/calls/CallPorts.h"

// A recorder port without a sound device, for measurements of the link that must not touch one. History rows
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
