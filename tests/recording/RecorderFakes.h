#pragma once

#include "recording/CaptureDevice.h"
#include "recording/SignalEvent.h"
#include "recording/RecorderWaits.h"
#include "recording/SimpleMixer.h"

#include <QByteArrayList>
#include <QMap>
#include <chrono>
#include <condition_variable>
#include <mutex>

// A capture device the test feeds period by period. Its close can be held, as a driver that is slow to let go.
class FakeCaptureDevice final : public CaptureDevice {
public:
    OpenResult openResult = OpenResult::Opened;
    bool startSucceeds = true;

    OpenResult open(const QString& deviceName, const CaptureFormat& format, QString& detail) override
    {
        const std::lock_guard lock(m_mutex);
        openedName = deviceName;
        openedChannels = format.channels;
        detail = QStringLiteral("fake refusal");
        m_open = openResult == OpenResult::Opened;
        return openResult;
    }
    bool start(QString& detail) override
    {
        detail = QStringLiteral("fake start failure");
        return startSucceeds;
    }
    ReadResult read(QByteArray& period, int /*timeoutMs*/, QString& /*detail*/) override
    {
        std::unique_lock lock(m_mutex);
        // Bounded only so that the capture thread sees a stop request; the test never waits for this time.
        m_changed.wait_for(lock, std::chrono::milliseconds(5), [this] { return !m_periods.isEmpty(); });
        if (m_periods.isEmpty()) {
            return ReadResult::NotReady;
        }
        period = m_periods.takeFirst();
        ++m_periodsRead;
        m_changed.notify_all();
        return ReadResult::Period;
    }
    QByteArray drain() override
    {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_rest, QByteArray());
    }
    bool close(QString& /*detail*/) override
    {
        std::unique_lock lock(m_mutex);
        m_closeHeld = m_holdClose;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_holdClose; });
        m_closeHeld = false;
        if (m_open) {
            m_open = false;
            ++closes;
        }
        return true;
    }

    void feed(const QByteArray& period, const QByteArray& rest = {})
    {
        const std::lock_guard lock(m_mutex);
        m_periods.append(period);
        m_rest = rest;
        m_changed.notify_all();
    }
    // Blocks until the capture thread has read count periods.
    void waitForPeriodsRead(int count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this, count] { return m_periodsRead >= count; });
    }
    void holdClose(bool hold)
    {
        const std::lock_guard lock(m_mutex);
        m_holdClose = hold;
        m_changed.notify_all();
    }
    void waitUntilCloseHeld()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closeHeld; });
    }

    QString openedName;
    int openedChannels = 0;
    int closes = 0;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArrayList m_periods;
    QByteArray m_rest;
    int m_periodsRead = 0;
    bool m_open = false;
    bool m_holdClose = false;
    bool m_closeHeld = false;
};

// Waits that add up the time they stand for instead of spending it. An event wait returns as soon as the event
// is set (the capture thread closing its file), and otherwise counts its full length.
class CountingWaits final : public RecorderWaits {
public:
    void pumpEvents() override { ++pumps; }
    void sleep(int ms) override { elapsedMs += ms; }
    bool waitFor(SignalEvent& event, int ms) override
    {
        // Enough for a capture thread that is not held to finish; nothing is timed by it.
        if (event.waitFor(std::chrono::milliseconds(synchroniseWithThreads ? 5000 : 0))) {
            return true;
        }
        elapsedMs += ms;
        return false;
    }

    bool synchroniseWithThreads = true;
    qint64 elapsedMs = 0;
    int pumps = 0;
};

// A card with a stereo "Capture" control from 0 to 100, a mono "Master" from -40 to 60, and three sources.
class FakeMixer final : public SimpleMixer {
public:
    using Direction = SimpleMixer::Direction;

    int cards = 1;
    int captureDevices = 1;
    int playbackDevices = 1;
    bool opens = true;
    bool accepts = true;
    int openedCard = -2;
    QMap<QString, QList<long>> written;
    int selected = -1;

    int cardCount() override { return cards; }
    int captureDeviceCount() override { return captureDevices; }
    int playbackDeviceCount() override { return playbackDevices; }
    bool open(int card) override
    {
        openedCard = card;
        return opens;
    }
    std::optional<Range> volumeRange(const QString& line, Direction) override
    {
        if (line == QStringLiteral("Capture")) {
            return Range{0, 100};
        }
        if (line == QStringLiteral("Master")) {
            return Range{-40, 60};
        }
        return std::nullopt;
    }
    int channelCount(const QString& line, Direction) override { return line == QStringLiteral("Capture") ? 2 : 1; }
    bool setVolumes(const QString& line, Direction, const QList<long>& values) override
    {
        if (accepts) {
            written[line] = values;
        }
        return accepts;
    }
    QStringList captureSources() override
    {
        return {QStringLiteral("Mic"), QStringLiteral("Line"), QStringLiteral("CD")};
    }
    bool selectCaptureSource(int lineId) override
    {
        if (accepts) {
            selected = lineId;
        }
        return accepts;
    }
};
