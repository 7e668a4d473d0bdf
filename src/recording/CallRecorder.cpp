#include "recording/CallRecorder.h"

#include "recording/TAudioComponent.h"
#include "settings/SettingsRecord.h"

#include <QFileInfo>

namespace {

const QString WorkingFileName = QStringLiteral("temp.ogg");

} // namespace

CallRecorder::Start CallRecorder::startFor(int mode)
{
    switch (mode) {
    case 0:
    case 1:
        return Start::AtOnce;
    case 2:
        return Start::OnClick;
    default:
        return Start::Never;
    }
}

bool CallRecorder::recordsNumber(const QString& number, bool accHistory)
{
    if (!number.startsWith(u'#')) {
        return true;
    }
    return accHistory || number.trimmed().startsWith(QStringLiteral("#*"));
}

CallRecorder::CallRecorder(TAudioComponent& audio, const SettingsRecord& settings, QObject* parent)
    : QObject(parent)
    , m_audio(audio)
    , m_settings(settings)
{
    connect(&m_audio, &TAudioComponent::recordingMissing, this,
            [this](const QString& path) { emit notice(Missing, QFileInfo(path).fileName()); });
}

CallRecorder::~CallRecorder()
{
    m_audio.ForgetOnDone();
}

bool CallRecorder::isDeviceUsable() const
{
    return m_settings.Audio.ZrodloAudio == 0;
}

void CallRecorder::conversationStarted(int mode, const QString& number, const QString& party, const QDateTime& start)
{
    const Start when = startFor(mode);
    if (when == Start::Never || !recordsNumber(number, m_settings.Konta.AccHistory)) {
        return;
    }
    m_conversation = true;
    m_number = number;
    m_party = party;
    m_start = start;
    if (when == Start::AtOnce) {
        this->start(false);
    } else {
        emit recordingShown(false);
    }
}

void CallRecorder::toggleByUser()
{
    if (m_audio.isRecording()) {
        m_audio.StopRecord(true);
    } else if (m_conversation) {
        start(true);
    }
}

void CallRecorder::callReleased(bool answered)
{
    m_conversation = false;
    m_quiet = !answered;
    m_audio.StopRecord(false);
    m_quiet = false;
    if (!answered) {
        m_audio.DiscardRecording();
    }
}

void CallRecorder::callEnded(const QString& party, const QDateTime& start, qint64 durationSeconds)
{
    m_audio.FinishCall(party, start, durationSeconds);
}

void CallRecorder::start(bool byClick)
{
    if (m_prepare) {
        m_prepare();
    }
    m_startedByClick = byClick;
    m_done = false;
    const bool started = m_audio.StartRecord(m_settings.Audio.Katalog, WorkingFileName, m_number, m_party, m_start,
                                             [this](bool userStopped) { finished(userStopped); });
    if (started) {
        emit recordingShown(true);
    } else if (!m_done) {
        // The engine was still busy with the previous recording: nothing was begun, so nothing else reports it.
        emit recordingShown(false);
        emit notice(Failed, m_audio.ErrorMessage());
    }
}

void CallRecorder::finished(bool userStopped)
{
    m_done = true;
    emit recordingShown(false);
    if (m_audio.ErrorCode() != 0) {
        emit notice(Failed, m_audio.ErrorMessage());
    } else if (m_quiet) {
        return;
    } else if (userStopped) {
        emit notice(Aborted, QString());
    } else if (m_startedByClick) {
        emit notice(Captured, QString());
    } else {
        emit notice(Recorded, QString());
    }
}
