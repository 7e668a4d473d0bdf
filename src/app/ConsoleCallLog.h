#pragma once

#include "pbxlink/CallPorts.h"

// Until the redial list, the call history, the phone books and the recorder are part of the program, what the link
// hands them is printed on standard output: numbers for the redial list and each history row. No names are known
// and no sound device is used.
class ConsoleCallLog final : public RedialListPort,
                             public CallHistoryPort,
                             public PhoneBookNamesPort,
                             public RecorderPort {
public:
    void addNumber(const QString& number) override;

    std::optional<int> callerNameId(const QString& /*name*/) override { return std::nullopt; }
    std::optional<int> calledNumberId(const QString& /*number*/) override { return std::nullopt; }
    void reserveRowForCallInProgress() override {}
    void addEntry(const CallHistoryEntry& entry) override;
    void trim(int /*keepRows*/) override {}
    void refresh() override {}

    QString nameForNumber(const QString& /*number*/) override { return {}; }

    bool isDeviceUsable() const override { return false; }
    void startRecording(int /*mode*/, const QString& /*name*/) override {}
    void stopRecording(bool /*answered*/) override {}
    void finishCall(qint64 /*durationSeconds*/, const QDateTime& /*start*/, const QString& /*number*/,
                    const QString& /*name*/) override
    {
    }
};
