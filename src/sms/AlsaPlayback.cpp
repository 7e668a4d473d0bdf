#include "sms/AlsaPlayback.h"

#include <alsa/asoundlib.h>
#include <chrono>

namespace {

constexpr unsigned LatencyUs = 100000;
// Frames written at once: a tenth of a second, so that a stop is heard within that.
constexpr int ChunkDivisor = 10;

} // namespace

AlsaPlayback::AlsaPlayback(QString device, Log log)
    : m_device(device.toLocal8Bit())
    , m_log(std::move(log))
    , m_worker([this] { run(); })
{
}

AlsaPlayback::~AlsaPlayback()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_waiting.clear();
    }
    m_stop = true;
    m_changed.notify_all();
    m_worker.join();
}

void AlsaPlayback::play(const SoundClip& clip)
{
    if (clip.isEmpty() || clip.bytesPerFrame() <= 0) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (m_waiting.size() >= MaxWaiting) {
            return;
        }
        m_waiting.push_back(clip);
    }
    m_changed.notify_all();
}

bool AlsaPlayback::waitUntilIdle(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [this] { return m_waiting.empty() && !m_busy; });
}

void AlsaPlayback::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_stopping) {
            return;
        }
        const SoundClip clip = m_waiting.front();
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        if (playNow(clip)) {
            ++m_played;
        }
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

bool AlsaPlayback::playNow(const SoundClip& clip)
{
    snd_pcm_t* pcm = nullptr;
    int code = snd_pcm_open(&pcm, m_device.constData(), SND_PCM_STREAM_PLAYBACK, 0);
    if (code < 0) {
        failed(QStringLiteral("cannot open the sound device"), code);
        return false;
    }
    const snd_pcm_format_t format = clip.bitsPerSample == 16 ? SND_PCM_FORMAT_S16_LE : SND_PCM_FORMAT_U8;
    code = snd_pcm_set_params(pcm, format, SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(clip.channels), unsigned(clip.rate),
                              1, LatencyUs);
    if (code < 0) {
        failed(QStringLiteral("the sound device does not take the sound"), code);
        snd_pcm_close(pcm);
        return false;
    }
    const char* data = clip.frames.constData();
    snd_pcm_uframes_t left = snd_pcm_uframes_t(clip.frames.size() / clip.bytesPerFrame());
    const auto chunk = snd_pcm_uframes_t(std::max(clip.rate / ChunkDivisor, 1));
    while (left > 0 && !m_stop) {
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, data, std::min(left, chunk));
        if (written < 0) {
            written = snd_pcm_recover(pcm, int(written), 1);
        }
        if (written < 0) {
            failed(QStringLiteral("playing the sound failed"), int(written));
            break;
        }
        left -= snd_pcm_uframes_t(written);
        data += written * clip.bytesPerFrame();
    }
    if (m_stop) {
        snd_pcm_drop(pcm);
    } else {
        snd_pcm_drain(pcm);
    }
    snd_pcm_close(pcm);
    return left == 0;
}

void AlsaPlayback::failed(const QString& what, int code)
{
    if (m_failureTold.exchange(true) || !m_log) {
        return;
    }
    m_log(QStringLiteral("SMS sound: %1 \"%2\" (%3); new messages are signalled without sound.")
              .arg(what, QString::fromLocal8Bit(m_device), QString::fromLocal8Bit(snd_strerror(code))));
}
