#include "recording/TAudioComponent.h"

#include "recording/AudioError.h"
#include "recording/RecordName.h"
#include "recording/RecorderWaits.h"
#include "recording/RecordingStorage.h"
#include "recording/ThreadPriority.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>

namespace {

constexpr int ReadTimeoutMs = 50;

} // namespace

TAudioComponent::TAudioComponent(std::unique_ptr<CaptureDevice> device, RecordingStorage& storage, RecorderWaits& waits,
                                 LogFile log, QObject* parent)
    : QObject(parent)
    , m_device(std::move(device))
    , m_storage(storage)
    , m_waits(waits)
    , m_log(std::move(log))
    , m_encoder(TOggComponent::Environment{{}, {}, [this](const QString& line) {
                                               m_log.append(line);
                                           }})
{
}

TAudioComponent::~TAudioComponent()
{
    if (m_recording) {
        StopRecord();
    }
    if (m_thread.joinable()) {
        m_stopRequested = true;
        m_thread.join();
    }
}

bool TAudioComponent::StartRecord(const QString& folder, const QString& fileName, const QString& number,
                                  const QString& party, const QDateTime& callStart, DoneCallback onDone)
{
    const QString path = QDir(folder).filePath(fileName);
    m_log.append(QStringLiteral("StartRecord File: %1 Number: %2").arg(path, number));
    if (!waitForEngine()) {
        setError(AudioError::CannotDisturb);
        m_log.append(QStringLiteral("Unable to start recording, audio engine busy"));
        return false;
    }
    completeRecording();
    m_engineFree.reset();
    setError(AudioError::None);
    m_recording = true;
    m_onDone = std::move(onDone);
    m_stopRequested = false;
    m_userStopped = false;
    m_droppedPeriods = 0;
    m_inputLevel = 0;
    m_unkept = false;
    m_callHandedOver = false;
    m_discard = false;
    m_folder = folder;
    m_filePath = path;
    if (!openFile() || !beginCapture(number, party, callStart)) {
        return giveUp();
    }
    m_unkept = true;
    m_thread = std::thread(&TAudioComponent::captureLoop, this);
    return true;
}

bool TAudioComponent::openFile()
{
    const RecordingStorage::Folder folder = m_storage.FolderCheck(m_folder);
    m_folder = folder.path;
    m_filePath = QDir(m_folder).filePath(QFileInfo(m_filePath).fileName());
    if (folder.errorCode != AudioError::None) {
        setError(folder.errorCode);
        return false;
    }
    m_storage.setAside(m_filePath);
    errno = 0;
    m_file = std::fopen(QFile::encodeName(m_filePath).constData(), "w+b");
    if (m_file == nullptr) {
        const int error = errno;
        m_log.append(QStringLiteral("Unable create file %1 (errno %2)").arg(m_filePath).arg(error));
        setError(AudioError::fromCreateErrno(error));
        return false;
    }
    return true;
}

bool TAudioComponent::beginCapture(const QString& number, const QString& party, const QDateTime& callStart)
{
    CaptureFormat format;
    format.channels = m_source.channels == 2 ? 2 : 1;
    QString detail;
    const CaptureDevice::OpenResult opened = m_device->open(m_source.deviceName, format, detail);
    if (opened != CaptureDevice::OpenResult::Opened) {
        m_log.append(QStringLiteral("WaveOpenError: %1 %2").arg(m_source.deviceName, detail));
        setError(opened == CaptureDevice::OpenResult::NoDevice ? AudioError::NoCard
                                                               : AudioError::DeviceBusyOrUnplugged);
        return false;
    }
    m_encoderBegun = m_encoder.Begin(m_file, format.channels, party, number, callStart);
    if (!m_encoderBegun) {
        setError(AudioError::Detail, m_encoder.ErrorMessage());
        return false;
    }
    if (!m_device->start(detail)) {
        m_log.append(QStringLiteral("WaveRecordBegin error: %1").arg(detail));
        setError(AudioError::DeviceBusyOrUnplugged);
        return false;
    }
    return true;
}

bool TAudioComponent::giveUp()
{
    m_log.append(QStringLiteral("Give UP ! Unable to start recording"));
    m_log.append(QStringLiteral("Recording error: ") + ErrorMessage());
    const bool created = m_file != nullptr;
    closeCapture();
    // The working file this start made holds no sound; an older one was set aside before.
    if (created) {
        QFile::remove(m_filePath);
    }
    completeRecording();
    return false;
}

bool TAudioComponent::StopRecord(bool userStopped)
{
    if (!m_recording) {
        return true;
    }
    m_userStopped = userStopped;
    m_stopRequested = true;
    if (!waitForEngine()) {
        m_log.append(QStringLiteral("StopRecord Audio is still in use"));
        setError(AudioError::CannotDisturb);
        return false;
    }
    if (ErrorCode() == AudioError::None) {
        m_log.append(QStringLiteral("Recording stopped"));
    }
    completeRecording();
    return true;
}

bool TAudioComponent::waitForEngine()
{
    m_waits.pumpEvents();
    m_waits.sleep(5);
    if (m_engineFree.isSet()) {
        return true;
    }
    for (int round = 0; round < 2 * EngineWaitRounds + 1; ++round) {
        // Waiting on the event rather than sleeping lets a capture that closes early end the wait at once.
        if (m_waits.waitFor(m_engineFree, EngineWaitMs)) {
            return true;
        }
        m_waits.pumpEvents();
        if (m_waits.waitFor(m_engineFree, EngineWaitEventMs)) {
            return true;
        }
    }
    return false;
}

void TAudioComponent::captureLoop()
{
    ThreadPriority::raiseCurrentThread();
    QByteArray period;
    QString detail;
    while (!m_stopRequested) {
        const CaptureDevice::ReadResult result = m_device->read(period, ReadTimeoutMs, detail);
        if (result == CaptureDevice::ReadResult::Period) {
            handOver(period);
        } else if (result == CaptureDevice::ReadResult::Failed) {
            m_log.append(QStringLiteral("WaveRecord error: %1").arg(detail));
            if (ErrorCode() == AudioError::None) {
                setError(AudioError::DeviceBusyOrUnplugged);
            }
            break;
        }
    }
    const QByteArray rest = m_device->drain();
    if (!rest.isEmpty()) {
        handOver(rest);
    }
    closeCapture();
    QMetaObject::invokeMethod(this, &TAudioComponent::completeRecording, Qt::QueuedConnection);
}

void TAudioComponent::handOver(const QByteArray& period)
{
    int peak = 0;
    for (const char byte : period) {
        peak = std::max(peak, std::abs(static_cast<unsigned char>(byte) - 128));
    }
    m_inputLevel = std::min(100, peak * 100 / 128);
    if (m_encoder.isBusy()) {
        m_encoder.waitUntilIdleFor(std::chrono::milliseconds(HandOverGraceMs));
    }
    if (m_encoder.Submit(period)) {
        return;
    }
    if (++m_droppedPeriods > 1) {
        m_log.append(QStringLiteral("System too slow #%1").arg(m_droppedPeriods));
    }
    const std::lock_guard lock(m_errorMutex);
    if (m_errorCode == AudioError::None) {
        m_errorCode = AudioError::Detail;
        m_errorText = m_encoder.ErrorMessage();
    }
}

// Closes the device, the stream and the file, whichever are open, and frees the engine.
void TAudioComponent::closeCapture()
{
    QString detail;
    if (!m_device->close(detail)) {
        m_log.append(QStringLiteral("WaveRecordClose error# %1").arg(detail));
    }
    if (m_encoderBegun) {
        m_encoderBegun = false;
        if (!m_encoder.Finish() && ErrorCode() == AudioError::None) {
            setError(AudioError::Detail, m_encoder.ErrorMessage());
        }
    }
    if (m_file != nullptr) {
        if (std::fclose(m_file) != 0) {
            m_log.append(QStringLiteral("Unable close file"));
            setError(AudioError::CannotCloseFile);
        }
        m_file = nullptr;
    }
    m_engineFree.set();
}

void TAudioComponent::completeRecording()
{
    if (!m_engineFree.isSet()) {
        return;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (!m_recording) {
        return;
    }
    m_recording = false;
    const DoneCallback done = std::exchange(m_onDone, {});
    if (done) {
        done(m_userStopped);
    }
    emit recordingClosed();
    keepFinishedRecording();
}

void TAudioComponent::FinishCall(const QString& party, const QDateTime& start, qint64 durationSeconds)
{
    m_finalName = RecordName::forCall(party, start, QTime(0, 0).addSecs(static_cast<int>(durationSeconds)));
    m_callHandedOver = true;
    keepFinishedRecording();
}

void TAudioComponent::DiscardRecording()
{
    m_discard = true;
    keepFinishedRecording();
}

void TAudioComponent::keepFinishedRecording()
{
    if (!(m_callHandedOver || m_discard) || !m_unkept || m_recording || !m_engineFree.isSet()) {
        return;
    }
    if (m_discard) {
        m_discard = false;
        m_unkept = false;
        QFile::remove(m_filePath);
        m_log.append(QStringLiteral("Recording of a call without conversation removed: ") + m_filePath);
        return;
    }
    m_callHandedOver = false;
    m_unkept = false;
    const QString kept = m_storage.keepAs(m_filePath, m_finalName);
    if (!kept.isEmpty()) {
        emit recordingKept(kept);
    } else if (!QFileInfo::exists(m_filePath)) {
        emit recordingMissing(m_filePath);
    }
}

quint32 TAudioComponent::ErrorCode() const
{
    const std::lock_guard lock(m_errorMutex);
    return m_errorCode;
}

QString TAudioComponent::ErrorMessage() const
{
    const std::lock_guard lock(m_errorMutex);
    return AudioError::message(
        m_errorCode, m_errorText,
        m_errorCode == AudioError::FolderUnavailable || m_errorCode == AudioError::FolderNotWritable ? m_folder
                                                                                                     : m_filePath);
}

void TAudioComponent::setError(quint32 code, const QString& detail)
{
    const std::lock_guard lock(m_errorMutex);
    m_errorCode = code;
    m_errorText = detail;
}
