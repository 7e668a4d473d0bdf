#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// What the exchange's recordings need of the call history and the phone books.
class RecordingHistoryPort {
public:
    struct CallData {
        QDateTime start; // invalid while the entry is only reserved
        QString number;
    };

    virtual ~RecordingHistoryPort() = default;

    // Stores the recording identifier in the entry and marks it as having a recording.
    virtual bool setRecording(int entryId, const QString& recordingId) = 0;
    // The entry carrying the identifier, or -1.
    virtual int entryForRecording(const QString& recordingId) = 0;
    // The identifier stored in the entry, empty when none.
    virtual QString recordingOfEntry(int entryId) = 0;
    virtual std::optional<CallData> callData(int entryId) = 0;
    // The phone-book name of the number, empty when no book knows it.
    virtual QString nameForNumber(const QString& number) = 0;
    // The folder the recordings are kept in.
    virtual QString recordingsFolder() = 0;
};
