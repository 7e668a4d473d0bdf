#include "recording/AudioMixer.h"

#include "settings/AudioRegistryStore.h"
#include "settings/Lang.h"

#include <QtMath>
#include <cmath>
#include <cstdlib>

namespace {

const QString CaptureLine = QStringLiteral("Capture");

} // namespace

AudioMixer::AudioMixer(SimpleMixer& mixer, AudioRegistryStore& registry)
    : m_mixer(mixer)
    , m_registry(registry)
{
}

AudioMixer::Status AudioMixer::Init()
{
    m_recordCard = m_registry.readInteger(AudioRegistryStore::recordCardId(), -1);
    if (m_mixer.cardCount() == 0) {
        m_status = NoCard;
    } else if (m_mixer.captureDeviceCount() == 0) {
        m_status = NoRecordingDevice;
    } else if (m_mixer.playbackDeviceCount() == 0) {
        m_status = NoPlayingDevice;
    } else if (!m_mixer.open(m_recordCard)) {
        m_status = InitFailed;
    } else {
        m_status = NoError;
    }
    return m_status;
}

QString AudioMixer::statusText(Status status)
{
    switch (status) {
    case NoError:
        return Lang::_("No error");
    case InitFailed:
        return Lang::_("Unable to initialize sound device");
    case NoCard:
        return Lang::_("No sound card has been found!");
    case NoRecordingDevice:
        return Lang::_("No recording device has been found!");
    case NoPlayingDevice:
        return Lang::_("No playing device has been found!");
    }
    return Lang::_("Unable to initialize sound device");
}

QList<long> AudioMixer::channelValues(SimpleMixer::Range range, int channels, int percent, int balance)
{
    percent = std::clamp(percent, 0, 100);
    balance = std::clamp(balance, -100, 100);
    const long full = std::lround(static_cast<double>(range.maximum - range.minimum) * 0.01 * percent);
    QList<long> values(std::max(channels, 1), full);
    if (values.size() > 1) {
        const long reduced = std::lround(static_cast<double>(full) * 0.01 * (100 - std::abs(balance)));
        values[balance >= 0 ? 0 : values.size() - 1] = reduced;
    }
    for (long& value : values) {
        value += range.minimum;
    }
    return values;
}

bool AudioMixer::SetVolume(const QString& line, SimpleMixer::Direction direction, int percent, int balance)
{
    if (m_status != NoError) {
        return false;
    }
    const std::optional<SimpleMixer::Range> range = m_mixer.volumeRange(line, direction);
    if (!range) {
        return false;
    }
    return m_mixer.setVolumes(line, direction,
                              channelValues(*range, m_mixer.channelCount(line, direction), percent, balance));
}

bool AudioMixer::SelectSource(int lineId)
{
    if (m_status != NoError || lineId < 0 || lineId >= m_mixer.captureSources().size()) {
        return false;
    }
    if (!m_mixer.selectCaptureSource(lineId)) {
        return false;
    }
    m_registry.writeInteger(cardPrefix() + QStringLiteral("lineID"), lineId);
    return true;
}

bool AudioMixer::SetRecordingLevel(int percent)
{
    if (!SetVolume(CaptureLine, SimpleMixer::Direction::Capture, percent, 0)) {
        return false;
    }
    m_registry.writeInteger(cardPrefix() + QStringLiteral("volume"), std::clamp(percent, 0, 100));
    return true;
}

QString AudioMixer::cardPrefix() const
{
    return QStringLiteral("Card%1\\").arg(std::max(m_recordCard, 0));
}
