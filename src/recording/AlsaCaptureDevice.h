#pragma once

#include "recording/CaptureDevice.h"

#include <functional>

struct _snd_pcm;

// Capture from an ALSA PCM ("default", "plughw:1", or any PCM of the user's ALSA configuration). PCMs without a
// clock of their own (ALSA's null and file plugins hand over sound as fast as it is read) are paced to the sample
// rate by the monotonic clock, so that a recording lasts as long as the call.
class AlsaCaptureDevice final : public CaptureDevice {
public:
    // Milliseconds since an arbitrary start, and a pause; injected by tests of the pacing.
    struct PacingClock {
        std::function<qint64()> elapsedMs;
        std::function<void(int ms)> sleep;
    };

    explicit AlsaCaptureDevice(PacingClock clock = {});
    ~AlsaCaptureDevice() override;
    AlsaCaptureDevice(const AlsaCaptureDevice&) = delete;
    AlsaCaptureDevice& operator=(const AlsaCaptureDevice&) = delete;

    OpenResult open(const QString& deviceName, const CaptureFormat& format, QString& detail) override;
    bool start(QString& detail) override;
    ReadResult read(QByteArray& period, int timeoutMs, QString& detail) override;
    QByteArray drain() override;
    bool close(QString& detail) override;

    // The ALSA name of the capture device for a "Record card id": the system's default for a negative id.
    static QString deviceNameForCard(int cardId);

private:
    bool configure(const CaptureFormat& format, QString& detail);
    // Frames the clockless PCM may hand over by now; unlimited for a PCM with its own clock.
    qint64 framesDue() const;
    qint64 readFrames(QByteArray& into, qint64 frames);

    PacingClock m_clock;
    _snd_pcm* m_pcm = nullptr;
    CaptureFormat m_format;
    bool m_paced = false;
    qint64 m_startMs = 0;
    qint64 m_framesRead = 0;
};
