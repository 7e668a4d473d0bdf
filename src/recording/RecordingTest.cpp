#include "recording/RecordingTest.h"

#include "recording/AudioError.h"
#include "recording/OggPlayback.h"
#include "recording/TAudioComponent.h"
#include "settings/Lang.h"

#include <QDateTime>
#include <QDir>

namespace {

const QString CalibrationFile = QStringLiteral("calibrate.ogg");

} // namespace

RecordingTest::RecordingTest(TAudioComponent& audio, OggPlayback& playback, Prompts prompts, QString folder,
                             std::function<QString()> playDevice)
    : m_audio(audio)
    , m_playback(playback)
    , m_prompts(std::move(prompts))
    , m_folder(std::move(folder))
    , m_playDevice(std::move(playDevice))
{
}

QString RecordingTest::calibrationPath() const
{
    return QDir(m_folder).filePath(CalibrationFile);
}

QString RecordingTest::errorText(const QString& message)
{
    return Lang::_("\nAttenttion! Error has been detected:") + u' ' + message;
}

bool RecordingTest::reportError(const QString& message)
{
    m_prompts.inform(errorText(message));
    return false;
}

bool RecordingTest::startRecording()
{
    if (m_prepare) {
        m_prepare();
    }
    const QString party = Lang::_("Recording test");
    return m_audio.StartRecord(m_folder, CalibrationFile, QString(), party, QDateTime::currentDateTime(), {});
}

bool RecordingTest::run()
{
    if (!m_prompts.ask(
            Lang::_("Recording test. Check if the phone is connected to the audio card input. Press OK if ready."))) {
        return false;
    }
    if (!startRecording()) {
        return reportError(m_audio.ErrorMessage());
    }
    m_prompts.ask(Lang::_("Now tell a few words to the handset. Press OK if ready"));
    if (!m_audio.StopRecord(true) || m_audio.ErrorCode() != AudioError::None) {
        return reportError(m_audio.ErrorMessage());
    }
    if (!m_prompts.ask(Lang::_("Recording test has been ended. Do you want to playback a record?"))) {
        return true;
    }
    if (m_playback.play(calibrationPath(), m_playDevice()) != OggPlayback::Result::Played) {
        return reportError(AudioError::message(AudioError::AudioDeviceBusy));
    }
    m_prompts.inform(Lang::_("Playing record has been finished"));
    return true;
}

bool RecordingTest::TestSysPerformanceStart(const std::function<void()>& waitForTest)
{
    const Efficiency measured = measureEfficiency(waitForTest);
    if (measured.verdict != Efficiency::Verdict::KeptUp) {
        return reportError(measured.problem);
    }
    m_prompts.inform(AudioError::message(AudioError::None));
    return true;
}

RecordingTest::Efficiency RecordingTest::measureEfficiency(const std::function<void()>& waitForTest)
{
    using Verdict = Efficiency::Verdict;
    if (!startRecording()) {
        return {Verdict::NotRun, m_audio.ErrorMessage()};
    }
    waitForTest();
    const bool stopped = m_audio.StopRecord(true);
    if (m_audio.droppedPeriods() > 0) {
        return {Verdict::TooSlow, AudioError::message(AudioError::TooLowEfficiency)};
    }
    if (!stopped || m_audio.ErrorCode() != AudioError::None) {
        return {Verdict::NotRun, m_audio.ErrorMessage()};
    }
    return {Verdict::KeptUp, {}};
}
