#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

class TAudioComponent;
struct SettingsRecord;

// Records the conversations of the extension through TAudioComponent as the settings say: which calls (the
// recording mode and the service-code filter), when (at once, or by the user's click in mode 2), and what the
// user is told when a recording ends.
class CallRecorder final : public QObject {
    Q_OBJECT

public:
    // The outcomes shown as recording notices.
    enum Notice {
        Recorded = 0,
        Failed = 1,
        Missing = 2,
        Captured = 3,
        Aborted = 4,
    };

    // How a call is recorded in a recording mode.
    enum class Start { AtOnce, OnClick, Never };
    static Start startFor(int mode);
    // Whether calls to or from number are recorded: service codes ("#...") only with AccHistory or as "#*".
    static bool recordsNumber(const QString& number, bool accHistory);

    CallRecorder(TAudioComponent& audio, const SettingsRecord& settings, QObject* parent = nullptr);
    ~CallRecorder() override;

    // Set before each start: chooses the capture device and applies the mixer.
    void setPreparation(std::function<void()> prepare) { m_prepare = std::move(prepare); }

    // The sound card is this computer's (the other source is the exchange's own recordings).
    bool isDeviceUsable() const;
    // A conversation was established: records it when mode and number allow, or waits for the click in mode 2.
    void conversationStarted(int mode, const QString& number, const QString& party, const QDateTime& start);
    // The call was released: the recording ends; one of a call that was never answered is not kept.
    void callReleased(bool answered = true);
    // The end-of-call hand-over that names the recording.
    void callEnded(const QString& party, const QDateTime& start, qint64 durationSeconds);
    // The recording button: starts the waiting recording of the conversation, or stops the running one.
    void toggleByUser();

signals:
    // Whether the recording button shows a running recording.
    void recordingShown(bool on);
    // A recording notice; text is the error text (Failed) or the file name (Missing).
    void notice(int code, const QString& text);

private:
    void start(bool byClick);
    void finished(bool userStopped);

    TAudioComponent& m_audio;
    const SettingsRecord& m_settings;
    std::function<void()> m_prepare;
    // The conversation that may still be recorded by a click, and its data.
    bool m_conversation = false;
    QString m_number;
    QString m_party;
    QDateTime m_start;
    bool m_startedByClick = false;
    bool m_done = false;
    bool m_quiet = false;
};
