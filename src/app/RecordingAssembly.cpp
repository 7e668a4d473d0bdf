#include "app/RecordingAssembly.h"

#include "pbxlink/calls/CallState.h"
#include "phone/RecordingNotice.h"
#include "phone/TelephoneWindowLogic.h"
#include "recording/AlsaCaptureDevice.h"
#include "recording/RecorderWaits.h"
#include "recording/ui/TAudioConfigForm.h"
#include "settings/AudioRegistryStore.h"
#include "settings/Conftool.h"
#include "settings/SettingsStore.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

void warnUser(const QString& text)
{
    qWarning().noquote() << "Recording:" << text;
    if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

bool askUser(const QString& question)
{
    return QMessageBox::question(nullptr, QGuiApplication::applicationDisplayName(), question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void tellUser(const QString& text)
{
    QMessageBox::information(nullptr, QGuiApplication::applicationDisplayName(), text);
}

} // namespace

RecordingAssembly::RecordingAssembly(SettingsStore& settings)
    : m_settings(settings)
    , m_storage(RecordingStorage::defaultFolderIn(settings.paths().dataFolder()),
                LogFile(settings.paths().logFolder() + QStringLiteral("audio.log"), LogFile::Stamp::DateTime),
                {{}, &warnUser})
    , m_audio(std::make_unique<AlsaCaptureDevice>(), m_storage, RecorderWaits::system(),
              LogFile(settings.paths().logFolder() + QStringLiteral("audio.log"), LogFile::Stamp::DateTime))
    , m_recorder(m_audio, settings.record())
    , m_mixer(m_alsaMixer, settings.audioRegistry())
    , m_playback(m_audio.log())
    , m_test(m_audio, m_playback, {&askUser, &tellUser}, QDir::tempPath(), [this] {
        return AlsaCaptureDevice::deviceNameForCard(
            m_settings.audioRegistry().readInteger(AudioRegistryStore::playCardId(), -1));
    })
{
    m_recorder.setPreparation([this] { prepareCapture(); });
    m_test.setPreparation([this] { prepareCapture(); });
    const AudioMixer::Status status = m_mixer.Init();
    m_audio.log().append(QStringLiteral("Mixer: ") + AudioMixer::statusText(status));
}

RecordingAssembly::~RecordingAssembly() = default;

void RecordingAssembly::showOutcomesIn(TelephoneWindowLogic& window)
{
    // Queued, so that they come after the window state that call tracking applies at the end of the same event:
    // the button lights when tracking asks for a recording, and then shows what the recorder really does (mode 2
    // waits for the click, a start may fail); a notice is not overwritten at once by the call's own labels.
    QObject::connect(
        &m_recorder, &CallRecorder::notice, &window,
        [&window](int code, const QString& text) {
            const RecordingNotice notice = RecordingNotice::forCode(code, text);
            window.showNotice(notice.shown, notice.hint, true);
        },
        Qt::QueuedConnection);
    QObject::connect(
        &m_recorder, &CallRecorder::recordingShown, &window,
        [&window](bool on) { on ? window.showRecordingIndicator() : window.showRecordingMessage(); },
        Qt::QueuedConnection);
}

void RecordingAssembly::openAudioConfiguration()
{
    if (!m_page) {
        m_page = std::make_unique<TAudioConfigForm>(m_settings.record(), &SaveSettings, m_audio, m_mixer, m_test);
    }
    m_page->show();
    m_page->raise();
}

RecordingDeviceChoice RecordingAssembly::deviceChoice() const
{
    return {AlsaCards::list(), m_settings.audioRegistry().readInteger(AudioRegistryStore::recordCardId(), -1)};
}

void RecordingAssembly::chooseDevice(int cardId)
{
    AudioRegistryStore& registry = m_settings.audioRegistry();
    if (registry.readInteger(AudioRegistryStore::recordCardId(), -1) == cardId) {
        return;
    }
    registry.writeInteger(AudioRegistryStore::recordCardId(), cardId);
    const AudioMixer::Status status = m_mixer.Init();
    m_audio.log().append(QStringLiteral("Recording device: %1; mixer: %2")
                             .arg(AlsaCaptureDevice::deviceNameForCard(cardId), AudioMixer::statusText(status)));
}

RecordingTest::Efficiency RecordingAssembly::measureEfficiency()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const RecordingTest::Efficiency outcome = m_test.measureEfficiency([] {
        QEventLoop wait;
        QTimer::singleShot(RecordingTest::EfficiencyTestMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    });
    QGuiApplication::restoreOverrideCursor();
    return outcome;
}

void RecordingAssembly::prepareCapture()
{
    AudioRegistryStore& registry = m_settings.audioRegistry();
    const int card = registry.readInteger(AudioRegistryStore::recordCardId(), -1);
    m_audio.setCaptureSource(
        {AlsaCaptureDevice::deviceNameForCard(card), m_settings.record().Audio.Kanaly == 2 ? 2 : 1});
    if (m_mixer.status() != AudioMixer::NoError) {
        return;
    }
    m_mixer.SetRecordingLevel(m_settings.record().Audio.PoziomNagrania);
    const QString cardName = QStringLiteral("Card%1").arg(std::max(card, 0));
    if (registry.valueExists(cardName, QStringLiteral("lineID"))) {
        m_mixer.SelectSource(registry.readInteger(cardName, QStringLiteral("lineID"), 0));
    }
}

void RecordingAssembly::startRecording(int mode, const QString& name)
{
    if (m_calls == nullptr) {
        return;
    }
    const CallRecord& record = m_calls->record;
    m_recorder.conversationStarted(mode, record.number, name, record.start);
}

void RecordingAssembly::stopRecording(bool answered)
{
    m_recorder.callReleased(answered);
}

void RecordingAssembly::finishCall(qint64 durationSeconds, const QDateTime& start, const QString& /*number*/,
                                   const QString& name)
{
    m_recorder.callEnded(name, start, durationSeconds);
}
