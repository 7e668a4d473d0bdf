#include "recording/AlsaCards.h"

#include <alsa/asoundlib.h>

namespace {

int deviceCount(snd_ctl_t* control, snd_pcm_stream_t stream)
{
    snd_pcm_info_t* info = nullptr;
    snd_pcm_info_alloca(&info);
    int count = 0;
    for (int device = -1; snd_ctl_pcm_next_device(control, &device) == 0 && device >= 0;) {
        snd_pcm_info_set_device(info, static_cast<unsigned int>(device));
        snd_pcm_info_set_subdevice(info, 0);
        snd_pcm_info_set_stream(info, stream);
        if (snd_ctl_pcm_info(control, info) >= 0) {
            ++count;
        }
    }
    return count;
}

} // namespace

QList<SoundCard> AlsaCards::list()
{
    QList<SoundCard> cards;
    for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) {
        SoundCard found;
        found.id = card;
        snd_ctl_t* control = nullptr;
        if (snd_ctl_open(&control, QStringLiteral("hw:%1").arg(card).toLatin1().constData(), 0) >= 0) {
            snd_ctl_card_info_t* info = nullptr;
            snd_ctl_card_info_alloca(&info);
            if (snd_ctl_card_info(control, info) >= 0) {
                found.name = QString::fromLocal8Bit(snd_ctl_card_info_get_name(info));
            }
            found.captureDevices = deviceCount(control, SND_PCM_STREAM_CAPTURE);
            found.playbackDevices = deviceCount(control, SND_PCM_STREAM_PLAYBACK);
            snd_ctl_close(control);
        }
        cards.append(found);
    }
    return cards;
}
