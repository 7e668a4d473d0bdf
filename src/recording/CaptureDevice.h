#pragma once

#include <QByteArray>
#include <QString>

// The capture format of call recordings: 8-bit unsigned PCM at 8000 frames per second, in periods of 4096 bytes.
struct CaptureFormat {
    static constexpr int Rate = 8000;
    static constexpr int PeriodBytes = 4096;
    static constexpr int Periods = 4;

    int channels = 1;

    int blockAlign() const { return channels; }
    int bytesPerSecond() const { return Rate * blockAlign(); }
    int periodFrames() const { return PeriodBytes / blockAlign(); }
};

// One sound-card input as the recorder drives it. Opened, started, read and closed on the capture thread.
class CaptureDevice {
public:
    enum class OpenResult {
        Opened,
        NoDevice, // no such card or no driver
        Failed,   // busy, or the format is refused
    };
    enum class ReadResult {
        Period,   // one full period was read
        NotReady, // no full period within the time-out
        Failed,
    };

    virtual ~CaptureDevice() = default;

    // Opens deviceName for capture in format; detail gets the device's own error text on failure.
    virtual OpenResult open(const QString& deviceName, const CaptureFormat& format, QString& detail) = 0;
    virtual bool start(QString& detail) = 0;
    // Waits at most timeoutMs for one period of format's size and reads it into period.
    virtual ReadResult read(QByteArray& period, int timeoutMs, QString& detail) = 0;
    // What has been captured of the unfinished period, read without waiting.
    virtual QByteArray drain() = 0;
    // Stops the capture and closes the device; false when the device reported a failure.
    virtual bool close(QString& detail) = 0;
};
