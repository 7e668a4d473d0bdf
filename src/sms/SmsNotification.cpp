#include "sms/SmsNotification.h"

#include "settings/SettingsRecord.h"
#include "sms/NotificationTones.h"
#include "sms/WaveFile.h"

#include <array>

namespace {

constexpr std::array<int, 5> RepeatSeconds{0, 10, 20, 30, 60};
constexpr int UserSound = 1;
constexpr int LongSound = 1;

} // namespace

SmsNotification::SmsNotification(const SettingsRecord& settings, SoundOutput& output, RepeatTimer timer, Log log)
    : m_settings(settings)
    , m_output(output)
    , m_timer(std::move(timer))
    , m_log(std::move(log))
{
}

int SmsNotification::repeatIntervalMs() const
{
    const std::size_t index = m_settings.Sms.SmsEventReaction;
    return index < RepeatSeconds.size() ? RepeatSeconds[index] * 1000 : 0;
}

// A second message while the first still repeats plays at once and keeps the one repeat going.
void SmsNotification::messageArrived()
{
    if (!m_settings.Sms.SmsEventOn) {
        return;
    }
    m_output.play(chosenSound());
    const int interval = repeatIntervalMs();
    if (interval > 0) {
        m_repeating = true;
        m_timer.start(interval);
    }
}

void SmsNotification::userLooked()
{
    if (m_repeating) {
        m_repeating = false;
        m_timer.stop();
    }
}

void SmsNotification::repeatTimerFired()
{
    if (!m_repeating || !m_settings.Sms.SmsEventOn) {
        userLooked();
        return;
    }
    m_output.play(chosenSound());
}

SoundClip SmsNotification::chosenSound()
{
    const auto& sms = m_settings.Sms;
    return soundOf({sms.SmsRcFile, sms.SmsEventWave, sms.SmsEventCustomFile});
}

void SmsNotification::playSample(const Choice& choice)
{
    m_output.play(soundOf(choice));
}

SoundClip SmsNotification::soundOf(const Choice& choice)
{
    if (choice.source == UserSound) {
        QString error;
        if (std::optional<SoundClip> clip = WaveFile::read(choice.file, &error)) {
            m_badFileTold.clear();
            return *clip;
        }
        if (m_badFileTold != choice.file && m_log) {
            m_log(QStringLiteral("SMS sound: \"%1\" cannot be played (%2); the program's sound plays instead.")
                      .arg(choice.file, error));
        }
        m_badFileTold = choice.file;
    }
    return choice.wave == LongSound ? NotificationTones::longNotification() : NotificationTones::shortNotification();
}
