#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// A call as the call history stores it. Null times stand for zero (no end).
struct CallHistoryEntry {
    int type = 0;
    QDateTime start;
    QDateTime end;
    QString number;
    std::optional<int> callerNameId;
    std::optional<int> calledNumberId;
    bool recordingMade = false;
};

class CallHistoryPort {
public:
    virtual ~CallHistoryPort() = default;

    // The identifiers of a caller's name and of a called number, created when new; nothing when that fails.
    virtual std::optional<int> callerNameId(const QString& name) = 0;
    virtual std::optional<int> calledNumberId(const QString& number) = 0;
    // A row for the call in progress, so the history window can show it.
    virtual void reserveRowForCallInProgress() = 0;
    virtual void addEntry(const CallHistoryEntry& entry) = 0;
    // Keeps the newest rows; 0 keeps all.
    virtual void trim(int keepRows) = 0;
    virtual void refresh() = 0;
};

// Names from the phone books.
class PhoneBookNamesPort {
public:
    virtual ~PhoneBookNamesPort() = default;

    // The name of the contact with this number as it stands, or empty.
    virtual QString nameForNumber(const QString& number) = 0;
    // The name the books give a caller as the telephone window names it (the number in the books' form, the books
    // in the order the settings give), or empty.
    virtual QString callerName(const QString& number) = 0;
};

// The sound-card recorder.
class RecorderPort {
public:
    virtual ~RecorderPort() = default;

    virtual bool isDeviceUsable() const = 0;
    // Starts recording the call as the recording mode says.
    virtual void startRecording(int mode, const QString& name) = 0;
    virtual void stopRecording(bool answered) = 0;
    // The call ended: the recording is kept or offered under its name.
    virtual void finishCall(qint64 durationSeconds, const QDateTime& start, const QString& number,
                            const QString& name) = 0;
};

// Hooks for the exchange's own recordings and for the end of each call; unset hooks are skipped.
struct RecordingHooks {
    std::function<void(const QString& text)> begun;
    std::function<void(const QString& text)> changed;
    std::function<void(const QString& first, const QString& second, const QString& name)> ended;
    std::function<void()> callClosed;
};
