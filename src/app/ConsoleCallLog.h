#pragma once

#include "pbxlink/CallPorts.h"

// Until the redial list and the recorder are part of the program, what the link hands them is printed on standard
// output; no sound device is used. History rows written are printed too, as the history window would show them.
class ConsoleCallLog final : public RedialListPort, public RecorderPort {
public:
    void addNumber(const QString& number) override;

    bool isDeviceUsable() const override { return false; }
    void startRecording(int /*mode*/, const QString& /*name*/) override {}
    void stopRecording(bool /*answered*/) override {}
    void finishCall(qint64 /*durationSeconds*/, const QDateTime& /*start*/, const QString& /*number*/,
                    const QString& /*name*/) override
    {
    }

    static void printHistoryRow(const CallHistoryEntry& entry);
};
