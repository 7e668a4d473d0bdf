#pragma once

#include "sms/SoundClip.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Plays clips through an ALSA device ("default" routes to PipeWire or PulseAudio on a desktop) on a worker thread
// of its own, so that opening a slow device or waiting for the sound to end never holds up the windows. Where
// there is no device the clip is dropped; the first failure is told once through the log, later ones not at all.
class AlsaPlayback final : public SoundOutput {
public:
    // Called on the worker thread.
    using Log = std::function<void(const QString& line)>;

    // At most this many clips wait; more are dropped, as a repeating signal does not need to catch up.
    static constexpr std::size_t MaxWaiting = 2;

    explicit AlsaPlayback(QString device = QStringLiteral("default"), Log log = {});
    // Stops what plays at the next period and ends the worker.
    ~AlsaPlayback() override;
    AlsaPlayback(const AlsaPlayback&) = delete;
    AlsaPlayback& operator=(const AlsaPlayback&) = delete;

    void play(const SoundClip& clip) override;
    // Waits until nothing plays or waits; false when that did not come within the time.
    bool waitUntilIdle(int milliseconds);
    int playedCount() const { return m_played; }

private:
    void run();
    bool playNow(const SoundClip& clip);
    void failed(const QString& what, int code);

    QByteArray m_device;
    Log m_log;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<SoundClip> m_waiting;
    bool m_busy = false;
    bool m_stopping = false;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_failureTold = false;
    std::atomic<int> m_played = 0;
    std::thread m_worker;
};
