#include "recording/AlsaSimpleMixer.h"

#include "recording/AlsaCards.h"

#include <alsa/asoundlib.h>

namespace {

using Channels = QList<snd_mixer_selem_channel_id_t>;

Channels channelsOf(snd_mixer_elem_t* element, SimpleMixer::Direction direction)
{
    Channels channels;
    for (int id = 0; id <= SND_MIXER_SCHN_LAST; ++id) {
        const auto channel = static_cast<snd_mixer_selem_channel_id_t>(id);
        const bool present = direction == SimpleMixer::Direction::Capture
                                 ? snd_mixer_selem_has_capture_channel(element, channel) != 0
                                 : snd_mixer_selem_has_playback_channel(element, channel) != 0;
        if (present) {
            channels.append(channel);
        }
    }
    return channels;
}

bool hasVolume(snd_mixer_elem_t* element, SimpleMixer::Direction direction)
{
    return direction == SimpleMixer::Direction::Capture ? snd_mixer_selem_has_capture_volume(element) != 0
                                                        : snd_mixer_selem_has_playback_volume(element) != 0;
}

} // namespace

AlsaSimpleMixer::~AlsaSimpleMixer()
{
    close();
}

int AlsaSimpleMixer::cardCount()
{
    return static_cast<int>(AlsaCards::list().size());
}

int AlsaSimpleMixer::deviceCount(bool capture)
{
    int count = 0;
    for (const SoundCard& card : AlsaCards::list()) {
        count += capture ? card.captureDevices : card.playbackDevices;
    }
    return count;
}

int AlsaSimpleMixer::captureDeviceCount()
{
    return deviceCount(true);
}

int AlsaSimpleMixer::playbackDeviceCount()
{
    return deviceCount(false);
}

bool AlsaSimpleMixer::open(int card)
{
    close();
    const QByteArray name = card < 0 ? QByteArray("default") : QStringLiteral("hw:%1").arg(card).toLatin1();
    if (snd_mixer_open(&m_mixer, 0) < 0) {
        m_mixer = nullptr;
        return false;
    }
    if (snd_mixer_attach(m_mixer, name.constData()) < 0 || snd_mixer_selem_register(m_mixer, nullptr, nullptr) < 0 ||
        snd_mixer_load(m_mixer) < 0) {
        close();
        return false;
    }
    return true;
}

void AlsaSimpleMixer::close()
{
    if (m_mixer != nullptr) {
        snd_mixer_close(m_mixer);
        m_mixer = nullptr;
    }
}

snd_mixer_elem_t* AlsaSimpleMixer::element(const QString& line) const
{
    if (m_mixer == nullptr) {
        return nullptr;
    }
    for (snd_mixer_elem_t* element = snd_mixer_first_elem(m_mixer); element != nullptr;
         element = snd_mixer_elem_next(element)) {
        if (QString::fromLocal8Bit(snd_mixer_selem_get_name(element)) == line) {
            return element;
        }
    }
    return nullptr;
}

std::optional<SimpleMixer::Range> AlsaSimpleMixer::volumeRange(const QString& line, Direction direction)
{
    snd_mixer_elem_t* found = element(line);
    if (found == nullptr || !hasVolume(found, direction)) {
        return std::nullopt;
    }
    Range range;
    const int result = direction == Direction::Capture
                           ? snd_mixer_selem_get_capture_volume_range(found, &range.minimum, &range.maximum)
                           : snd_mixer_selem_get_playback_volume_range(found, &range.minimum, &range.maximum);
    return result < 0 ? std::nullopt : std::optional<Range>(range);
}

int AlsaSimpleMixer::channelCount(const QString& line, Direction direction)
{
    snd_mixer_elem_t* found = element(line);
    return found == nullptr ? 0 : static_cast<int>(channelsOf(found, direction).size());
}

bool AlsaSimpleMixer::setVolumes(const QString& line, Direction direction, const QList<long>& values)
{
    snd_mixer_elem_t* found = element(line);
    if (found == nullptr || !hasVolume(found, direction)) {
        return false;
    }
    const Channels channels = channelsOf(found, direction);
    bool accepted = !channels.isEmpty();
    for (qsizetype i = 0; i < channels.size() && i < values.size(); ++i) {
        const int result = direction == Direction::Capture
                               ? snd_mixer_selem_set_capture_volume(found, channels[i], values[i])
                               : snd_mixer_selem_set_playback_volume(found, channels[i], values[i]);
        accepted = accepted && result >= 0;
    }
    return accepted;
}

snd_mixer_elem_t* AlsaSimpleMixer::captureEnum() const
{
    if (m_mixer == nullptr) {
        return nullptr;
    }
    for (snd_mixer_elem_t* element = snd_mixer_first_elem(m_mixer); element != nullptr;
         element = snd_mixer_elem_next(element)) {
        if (snd_mixer_selem_is_enum_capture(element) != 0) {
            return element;
        }
    }
    return nullptr;
}

QList<snd_mixer_elem_t*> AlsaSimpleMixer::captureSwitches() const
{
    QList<snd_mixer_elem_t*> switches;
    if (m_mixer == nullptr) {
        return switches;
    }
    for (snd_mixer_elem_t* element = snd_mixer_first_elem(m_mixer); element != nullptr;
         element = snd_mixer_elem_next(element)) {
        if (snd_mixer_selem_has_capture_switch(element) != 0) {
            switches.append(element);
        }
    }
    return switches;
}

QStringList AlsaSimpleMixer::captureSources()
{
    QStringList names;
    if (snd_mixer_elem_t* list = captureEnum()) {
        const int items = snd_mixer_selem_get_enum_items(list);
        for (int item = 0; item < items; ++item) {
            char name[64] = {};
            snd_mixer_selem_get_enum_item_name(list, static_cast<unsigned int>(item), sizeof name, name);
            names.append(QString::fromLocal8Bit(name));
        }
        return names;
    }
    for (snd_mixer_elem_t* element : captureSwitches()) {
        names.append(QString::fromLocal8Bit(snd_mixer_selem_get_name(element)));
    }
    return names;
}

bool AlsaSimpleMixer::selectCaptureSource(int lineId)
{
    if (snd_mixer_elem_t* list = captureEnum()) {
        Channels channels = channelsOf(list, Direction::Capture);
        if (channels.isEmpty()) {
            channels.append(SND_MIXER_SCHN_MONO);
        }
        bool accepted = true;
        for (const snd_mixer_selem_channel_id_t channel : channels) {
            accepted = accepted && snd_mixer_selem_set_enum_item(list, channel, static_cast<unsigned int>(lineId)) >= 0;
        }
        return accepted;
    }
    const QList<snd_mixer_elem_t*> switches = captureSwitches();
    if (lineId < 0 || lineId >= switches.size()) {
        return false;
    }
    bool accepted = true;
    for (qsizetype i = 0; i < switches.size(); ++i) {
        accepted = accepted && snd_mixer_selem_set_capture_switch_all(switches[i], i == lineId ? 1 : 0) >= 0;
    }
    return accepted;
}
