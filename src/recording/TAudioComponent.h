#pragma once

#include "recording/CaptureDevice.h"
#include "recording/SignalEvent.h"
#include "recording/OggComponent.h"
#include "settings/LogFile.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class RecorderWaits;
class RecordingStorage;

// The sound-card call recorder. StartRecord() opens the working file and the capture device and starts a capture
// thread that hands each period to the Ogg encoder (a period that arrives while the encoder is still busy is
// dropped and the recording marked failed). StopRecord() ends the capture; the thread closes the device and the
// file and sets EngineFree, and OnDone is called on the main thread. Every start and stop first waits, for a
// bounded time, until the previous recording has closed its file.
class TAudioComponent final : public QObject {
    Q_OBJECT

public:
    using DoneCallback = std::function<void(bool userStopped)>;

    // Which device to capture from and with how many channels (1 or 2).
    struct CaptureSource {
        QString deviceName = QStringLiteral("default");
        int channels = 1;
    };

    // Rounds of the engine wait: 2 x N + 1 waits of 562 + 50 ms, about 5 seconds in all.
    static constexpr int EngineWaitRounds = 4;
    static constexpr int EngineWaitMs = 562;
    static constexpr int EngineWaitEventMs = 50;
    // How long a period may wait for the encoder to finish the previous one before it is dropped.
    static constexpr int HandOverGraceMs = 10;

    TAudioComponent(std::unique_ptr<CaptureDevice> device, RecordingStorage& storage, RecorderWaits& waits, LogFile log,
                    QObject* parent = nullptr);
    ~TAudioComponent() override;

    void setCaptureSource(const CaptureSource& source) { m_source = source; }

    // Starts recording to folder/fileName; true when the capture has begun. On a failure after the engine was
    // free, onDone is called before this returns.
    bool StartRecord(const QString& folder, const QString& fileName, const QString& number, const QString& party,
                     const QDateTime& callStart, DoneCallback onDone);
    // The caller of StartRecord() goes away: its OnDone is not called any more.
    void ForgetOnDone() { m_onDone = {}; }
    // Ends the current recording; false (ErrorCode() 5) when the capture did not close in time.
    bool StopRecord(bool userStopped = false);

    // The end-of-call hand-over: the recording of the call gets its final name from the call's party, start and
    // duration, as soon as the capture has closed its file.
    void FinishCall(const QString& party, const QDateTime& start, qint64 durationSeconds);

    // The call ended without a conversation: the file of its recording is removed once the capture has closed.
    void DiscardRecording();

    quint32 ErrorCode() const;
    QString ErrorMessage() const;
    bool isRecording() const { return m_recording; }
    // The peak of the last captured period, 0 (silence) to 100 (full scale), for a level meter.
    int inputLevel() const { return m_inputLevel.load(); }
    // Periods of the current or last recording that the encoder could not take in time.
    int droppedPeriods() const { return m_droppedPeriods.load(); }
    SignalEvent& EngineFree() { return m_engineFree; }
    // The path of the file being or last recorded.
    const QString& filePath() const { return m_filePath; }
    const QString& folder() const { return m_folder; }
    const LogFile& log() const { return m_log; }

signals:
    // The capture has closed its file (after OnDone).
    void recordingClosed();
    // The recording of the last call was kept under path.
    void recordingKept(const QString& path);
    // The working file of the last call had gone when it was to be kept.
    void recordingMissing(const QString& path);

private:
    bool waitForEngine();
    bool openFile();
    bool beginCapture(const QString& number, const QString& party, const QDateTime& callStart);
    bool giveUp();
    void captureLoop();
    void handOver(const QByteArray& period);
    void closeCapture();
    void completeRecording();
    void keepFinishedRecording();
    void setError(quint32 code, const QString& detail = {});

    std::unique_ptr<CaptureDevice> m_device;
    RecordingStorage& m_storage;
    RecorderWaits& m_waits;
    LogFile m_log;
    TOggComponent m_encoder;
    SignalEvent m_engineFree{SignalEvent::Reset::Manual, true};
    CaptureSource m_source;

    QString m_folder;
    QString m_filePath;
    std::FILE* m_file = nullptr;
    bool m_encoderBegun = false;
    bool m_recording = false;
    // A capture ran, and its file waits for the call's final name.
    bool m_unkept = false;
    bool m_callHandedOver = false;
    bool m_discard = false;
    QString m_finalName;
    DoneCallback m_onDone;
    std::atomic<bool> m_stopRequested{false};
    bool m_userStopped = false;
    std::atomic<int> m_droppedPeriods{0};
    std::atomic<int> m_inputLevel{0};
    std::thread m_thread;

    mutable std::mutex m_errorMutex;
    quint32 m_errorCode = 0;
    QString m_errorText;
};
