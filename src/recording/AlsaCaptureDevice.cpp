#include "recording/AlsaCaptureDevice.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <chrono>
#include <limits>
#include <thread>

namespace {

QString alsaText(int error)
{
    return QString::fromLocal8Bit(snd_strerror(error)) + QStringLiteral(" (0x%1)").arg(-error, 0, 16);
}

bool isMissingDevice(int error)
{
    return error == -ENOENT || error == -ENODEV || error == -ENXIO;
}

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

AlsaCaptureDevice::AlsaCaptureDevice(PacingClock clock)
    : m_clock(std::move(clock))
{
    if (!m_clock.elapsedMs) {
        m_clock.elapsedMs = &steadyMs;
    }
    if (!m_clock.sleep) {
        m_clock.sleep = [](int ms) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
    }
}

AlsaCaptureDevice::~AlsaCaptureDevice()
{
    QString ignored;
    close(ignored);
}

QString AlsaCaptureDevice::deviceNameForCard(int cardId)
{
    return cardId < 0 ? QStringLiteral("default") : QStringLiteral("plughw:%1").arg(cardId);
}

CaptureDevice::OpenResult AlsaCaptureDevice::open(const QString& deviceName, const CaptureFormat& format,
                                                  QString& detail)
{
    if (m_pcm != nullptr) {
        detail = QStringLiteral("device already open");
        return OpenResult::Failed;
    }
    // Not blocking: a device held by another program fails at once instead of hanging the capture thread.
    const int opened =
        snd_pcm_open(&m_pcm, deviceName.toLocal8Bit().constData(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK);
    if (opened < 0) {
        m_pcm = nullptr;
        detail = alsaText(opened);
        return isMissingDevice(opened) ? OpenResult::NoDevice : OpenResult::Failed;
    }
    if (!configure(format, detail)) {
        QString ignored;
        close(ignored);
        return OpenResult::Failed;
    }
    m_format = format;
    const snd_pcm_type_t type = snd_pcm_type(m_pcm);
    m_paced = type == SND_PCM_TYPE_FILE || type == SND_PCM_TYPE_NULL;
    m_framesRead = 0;
    return OpenResult::Opened;
}

bool AlsaCaptureDevice::configure(const CaptureFormat& format, QString& detail)
{
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    unsigned int rate = CaptureFormat::Rate;
    snd_pcm_uframes_t period = static_cast<snd_pcm_uframes_t>(format.periodFrames());
    snd_pcm_uframes_t buffer = period * CaptureFormat::Periods;
    int result = snd_pcm_hw_params_any(m_pcm, hw);
    if (result >= 0) {
        result = snd_pcm_hw_params_set_access(m_pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
    }
    if (result >= 0) {
        result = snd_pcm_hw_params_set_format(m_pcm, hw, SND_PCM_FORMAT_U8);
    }
    if (result >= 0) {
        result = snd_pcm_hw_params_set_channels(m_pcm, hw, static_cast<unsigned int>(format.channels));
    }
    if (result >= 0) {
        result = snd_pcm_hw_params_set_rate(m_pcm, hw, rate, 0);
    }
    if (result >= 0) {
        result = snd_pcm_hw_params_set_period_size_near(m_pcm, hw, &period, nullptr);
    }
    if (result >= 0) {
        result = snd_pcm_hw_params_set_buffer_size_near(m_pcm, hw, &buffer);
    }
    if (result >= 0) {
        result = snd_pcm_hw_params(m_pcm, hw);
    }
    if (result < 0) {
        detail = alsaText(result);
        return false;
    }
    return true;
}

bool AlsaCaptureDevice::start(QString& detail)
{
    if (m_pcm == nullptr) {
        detail = QStringLiteral("device not open");
        return false;
    }
    const int result = snd_pcm_start(m_pcm);
    if (result < 0) {
        detail = alsaText(result);
        return false;
    }
    m_startMs = m_clock.elapsedMs();
    return true;
}

qint64 AlsaCaptureDevice::framesDue() const
{
    if (!m_paced) {
        return std::numeric_limits<qint64>::max();
    }
    return (m_clock.elapsedMs() - m_startMs) * CaptureFormat::Rate / 1000 - m_framesRead;
}

CaptureDevice::ReadResult AlsaCaptureDevice::read(QByteArray& period, int timeoutMs, QString& detail)
{
    if (m_pcm == nullptr) {
        detail = QStringLiteral("device not open");
        return ReadResult::Failed;
    }
    const qint64 periodFrames = m_format.periodFrames();
    const qint64 due = framesDue();
    if (due < periodFrames) {
        const qint64 waitMs = (periodFrames - due) * 1000 / CaptureFormat::Rate + 1;
        m_clock.sleep(static_cast<int>(std::min<qint64>(waitMs, timeoutMs)));
        if (framesDue() < periodFrames) {
            return ReadResult::NotReady;
        }
    }
    snd_pcm_sframes_t available = snd_pcm_avail_update(m_pcm);
    if (available >= 0 && available < periodFrames) {
        snd_pcm_wait(m_pcm, timeoutMs);
        available = snd_pcm_avail_update(m_pcm);
    }
    if (available < 0) {
        // An overrun: the period is lost, the capture goes on.
        const int recovered = snd_pcm_recover(m_pcm, static_cast<int>(available), 1);
        if (recovered < 0 || snd_pcm_start(m_pcm) < 0) {
            detail = alsaText(static_cast<int>(available));
            return ReadResult::Failed;
        }
        return ReadResult::NotReady;
    }
    if (available < periodFrames) {
        return ReadResult::NotReady;
    }
    period.clear();
    if (readFrames(period, periodFrames) < periodFrames) {
        detail = QStringLiteral("short read");
        return ReadResult::NotReady;
    }
    return ReadResult::Period;
}

qint64 AlsaCaptureDevice::readFrames(QByteArray& into, qint64 frames)
{
    const qsizetype start = into.size();
    into.resize(start + frames * m_format.blockAlign());
    const snd_pcm_sframes_t got = snd_pcm_readi(m_pcm, into.data() + start, static_cast<snd_pcm_uframes_t>(frames));
    const qint64 read = got < 0 ? 0 : got;
    into.resize(start + read * m_format.blockAlign());
    m_framesRead += read;
    return read;
}

QByteArray AlsaCaptureDevice::drain()
{
    QByteArray rest;
    if (m_pcm == nullptr) {
        return rest;
    }
    const snd_pcm_sframes_t available = snd_pcm_avail_update(m_pcm);
    const qint64 frames = std::min<qint64>({available < 0 ? 0 : available, framesDue(), m_format.periodFrames()});
    if (frames > 0) {
        readFrames(rest, frames);
    }
    return rest;
}

bool AlsaCaptureDevice::close(QString& detail)
{
    if (m_pcm == nullptr) {
        return true;
    }
    snd_pcm_drop(m_pcm);
    const int result = snd_pcm_close(m_pcm);
    m_pcm = nullptr;
    if (result < 0) {
        detail = alsaText(result);
        return false;
    }
    return true;
}
