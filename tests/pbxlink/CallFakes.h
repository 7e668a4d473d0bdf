#pragma once

#include "pbxlink/calls/CallPorts.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Recording stand-ins for the ports of call tracking.

class RecordingHistory final : public CallHistoryPort {
public:
    std::optional<int> callerNameId(const QString& name) override
    {
        return failLookups ? std::nullopt : std::optional<int>(idOf(names, name));
    }
    std::optional<int> calledNumberId(const QString& number) override
    {
        return failLookups ? std::nullopt : std::optional<int>(idOf(calledNumbers, number));
    }
    void reserveRowForCallInProgress() override { ++reservations; }
    void addEntry(const CallHistoryEntry& entry) override { entries.append(entry); }
    void trim(int keepRows) override { trims.append(keepRows); }
    void refresh() override { ++refreshes; }

    bool failLookups = false;
    QStringList names;
    QStringList calledNumbers;
    QList<CallHistoryEntry> entries;
    QList<int> trims;
    int reservations = 0;
    int refreshes = 0;

private:
    static int idOf(QStringList& list, const QString& text)
    {
        if (!list.contains(text)) {
            list.append(text);
        }
        return static_cast<int>(list.indexOf(text)) + 1;
    }
};

class FixedPhoneBook final : public PhoneBookNamesPort {
public:
    QString nameForNumber(const QString& number) override { return names.value(number); }
    QString callerName(const QString& number) override { return names.value(number); }

    QMap<QString, QString> names;
};

class RecordingRecorder final : public RecorderPort {
public:
    bool isDeviceUsable() const override { return deviceUsable; }
    void startRecording(int mode, const QString& name) override { started.append(QString::number(mode) + u'|' + name); }
    void stopRecording(bool answered) override { stops.append(answered); }
    void finishCall(qint64 durationSeconds, const QDateTime& /*start*/, const QString& number,
                    const QString& name) override
    {
        finished.append(QString::number(durationSeconds) + u'|' + number + u'|' + name);
    }

    bool deviceUsable = true;
    QStringList started;
    QList<bool> stops;
    QStringList finished;
};
