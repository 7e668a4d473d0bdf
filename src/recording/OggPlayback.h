#pragma once

#include "settings/LogFile.h"

#include <QString>

// Plays an Ogg Vorbis recording to an ALSA playback device, 8-bit unsigned at the file's rate and channels.
// Blocks until the last sample has been handed to the device.
class OggPlayback final {
public:
    enum class Result { Played, FileUnreadable, DeviceRefused, PlayingFailed };

    explicit OggPlayback(LogFile log);

    Result play(const QString& filePath, const QString& deviceName);
    // Frames written to the device by the last play().
    qint64 framesPlayed() const { return m_framesPlayed; }

private:
    LogFile m_log;
    qint64 m_framesPlayed = 0;
};
