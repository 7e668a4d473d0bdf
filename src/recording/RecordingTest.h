#pragma once

#include <QString>
#include <functional>

class OggPlayback;
class TAudioComponent;

// The recording test of the audio configuration page: the user is asked to connect the telephone, speaks into
// the handset while a test recording runs (the page shows the input level), and may hear it back through the
// playback device. TestSysPerformanceStart() checks whether the computer keeps up with recording.
class RecordingTest final {
public:
    // How a measurement ended: the computer kept up, it dropped sound, or the test recording could not be made
    // (problem says why, in the recording's own words).
    struct Efficiency {
        enum class Verdict { KeptUp, TooSlow, NotRun };
        Verdict verdict = Verdict::NotRun;
        QString problem;
    };

    // How long the configuration's efficiency test records.
    static constexpr int EfficiencyTestMs = 10000;

    struct Prompts {
        std::function<bool(const QString& question)> ask;
        std::function<void(const QString& text)> inform;
    };

    // folder holds "calibrate.ogg"; playDevice names the ALSA playback device at the time of playing.
    RecordingTest(TAudioComponent& audio, OggPlayback& playback, Prompts prompts, QString folder,
                  std::function<QString()> playDevice);

    // Set before each test recording: chooses the capture device and channels as a call's recording would.
    void setPreparation(std::function<void()> prepare) { m_prepare = std::move(prepare); }

    // Runs the user's test; true when a recording was made (and, when asked, played back).
    bool run();

    // Records for as long as waitForTest() takes and tells whether the computer kept up. The rule: it keeps up
    // when every captured period reached the encoder in time (none was dropped) and the recording closed without
    // an error; otherwise the user sees "Too low system efficiency" (or the recording's own error).
    bool TestSysPerformanceStart(const std::function<void()>& waitForTest);
    // The same measurement without telling the user.
    Efficiency measureEfficiency(const std::function<void()>& waitForTest);

    QString calibrationPath() const;
    static QString errorText(const QString& message);

private:
    bool startRecording();
    bool reportError(const QString& message);

    TAudioComponent& m_audio;
    OggPlayback& m_playback;
    Prompts m_prompts;
    QString m_folder;
    std::function<QString()> m_playDevice;
    std::function<void()> m_prepare;
};
