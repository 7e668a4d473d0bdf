#include "recording/OggPlayback.h"

#include <QFile>
#include <alsa/asoundlib.h>
#include <memory>
#include <vorbis/vorbisfile.h>

namespace {

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

struct VorbisFile {
    OggVorbis_File file{};
    bool open = false;
    ~VorbisFile()
    {
        if (open) {
            ov_clear(&file);
        }
    }
};

} // namespace

OggPlayback::OggPlayback(LogFile log)
    : m_log(std::move(log))
{
}

OggPlayback::Result OggPlayback::play(const QString& filePath, const QString& deviceName)
{
    m_framesPlayed = 0;
    VorbisFile vorbis;
    vorbis.open = ov_fopen(QFile::encodeName(filePath).constData(), &vorbis.file) == 0;
    const vorbis_info* info = vorbis.open ? ov_info(&vorbis.file, -1) : nullptr;
    if (info == nullptr) {
        m_log.append(QStringLiteral("Unable to start playing: ") + filePath);
        return Result::FileUnreadable;
    }
    snd_pcm_t* raw = nullptr;
    int result = snd_pcm_open(&raw, deviceName.toLocal8Bit().constData(), SND_PCM_STREAM_PLAYBACK, 0);
    std::unique_ptr<snd_pcm_t, PcmCloser> pcm(result < 0 ? nullptr : raw);
    if (result >= 0) {
        result = snd_pcm_set_params(raw, SND_PCM_FORMAT_U8, SND_PCM_ACCESS_RW_INTERLEAVED,
                                    static_cast<unsigned int>(info->channels), static_cast<unsigned int>(info->rate), 1,
                                    500000);
    }
    if (result < 0) {
        m_log.append(
            QStringLiteral("WavePlayOpen error %1: %2").arg(deviceName, QString::fromLocal8Bit(snd_strerror(result))));
        return Result::DeviceRefused;
    }
    char buffer[4096];
    int section = 0;
    for (long bytes; (bytes = ov_read(&vorbis.file, buffer, sizeof buffer, 0, 1, 0, &section)) != 0;) {
        if (bytes < 0) {
            continue; // a hole in the stream: the rest still plays
        }
        const snd_pcm_uframes_t frames = static_cast<snd_pcm_uframes_t>(bytes / info->channels);
        snd_pcm_sframes_t written = snd_pcm_writei(raw, buffer, frames);
        if (written < 0) {
            written =
                snd_pcm_recover(raw, static_cast<int>(written), 1) < 0 ? written : snd_pcm_writei(raw, buffer, frames);
        }
        if (written < 0) {
            m_log.append(QStringLiteral("Unable to start playing: ") +
                         QString::fromLocal8Bit(snd_strerror(static_cast<int>(written))));
            return Result::PlayingFailed;
        }
        m_framesPlayed += written;
    }
    snd_pcm_drain(raw);
    return Result::Played;
}
