#pragma once

#include "recording/SimpleMixer.h"

class AudioRegistryStore;

// The mixer control of the recorder: finds the chosen cards, sets line volumes by percent and balance, and
// chooses the recording source line, keeping the recording card's volume and source in the audio store.
class AudioMixer final {
public:
    enum Status {
        NoError = 0,
        InitFailed = 1,
        NoCard = 2,
        NoRecordingDevice = 3,
        NoPlayingDevice = 4,
    };

    AudioMixer(SimpleMixer& mixer, AudioRegistryStore& registry);

    // Counts the devices, opens the mixer of the "Record card id" card and sets the status.
    Status Init();
    Status status() const { return m_status; }
    static QString statusText(Status status);

    // Sets line's volume to percent (0..100) with balance (-100..100) on a control of several channels.
    bool SetVolume(const QString& line, SimpleMixer::Direction direction, int percent, int balance);
    // Makes the source with identifier lineId the recording source and keeps it for the recording card.
    bool SelectSource(int lineId);
    // Sets the recording level of the card's capture control and keeps it for the recording card.
    bool SetRecordingLevel(int percent);

    // The raw value of each channel for percent and balance on a control from range.minimum to range.maximum.
    // Both conversions round to the nearest integer; the result is counted from the control's minimum.
    static QList<long> channelValues(SimpleMixer::Range range, int channels, int percent, int balance);

private:
    QString cardPrefix() const;

    SimpleMixer& m_mixer;
    AudioRegistryStore& m_registry;
    Status m_status = InitFailed;
    int m_recordCard = -1;
};
