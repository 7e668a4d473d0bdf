#pragma once

#include "pbxlink/calls/CallPorts.h"
#include "recording/AlsaSimpleMixer.h"
#include "recording/AudioMixer.h"
#include "recording/CallRecorder.h"
#include "recording/OggPlayback.h"
#include "recording/RecordingDeviceChoice.h"
#include "recording/RecordingStorage.h"
#include "recording/RecordingTest.h"
#include "recording/TAudioComponent.h"

#include <memory>

struct CallState;
class SettingsStore;
class TAudioConfigForm;
class TelephoneWindowLogic;

// The sound-card recorder wired into the program: call tracking drives it through the recorder port, the
// recording button of the telephone window starts and stops it, and its outcomes become the window's recording
// notices. Capture is from the ALSA device of "Record card id" with the mixer's stored level and source.
class RecordingAssembly final : public RecorderPort {
public:
    explicit RecordingAssembly(SettingsStore& settings);
    ~RecordingAssembly() override;

    // The call whose number and start the recordings take; set once the link exists.
    void attachCalls(const CallState& calls) { m_calls = &calls; }
    // The recorder's outcomes become the window's recording notices and the state of its recording button.
    void showOutcomesIn(TelephoneWindowLogic& window);
    // The recording button.
    void toggle() { m_recorder.toggleByUser(); }
    // The audio page with the recording test.
    void openAudioConfiguration();
    // The recording devices the configuration offers, with the one kept in "Record card id".
    RecordingDeviceChoice deviceChoice() const;
    // Keeps cardId (negative: the system's default) as the recording device; the mixer follows it.
    void chooseDevice(int cardId);
    // The efficiency test offered when recording is switched on: records for a while, the user waiting.
    RecordingTest::Efficiency measureEfficiency();

    bool isDeviceUsable() const override { return m_recorder.isDeviceUsable(); }
    void startRecording(int mode, const QString& name) override;
    void stopRecording(bool answered) override;
    void finishCall(qint64 durationSeconds, const QDateTime& start, const QString& number,
                    const QString& name) override;

private:
    void prepareCapture();

    SettingsStore& m_settings;
    const CallState* m_calls = nullptr;
    RecordingStorage m_storage;
    TAudioComponent m_audio;
    CallRecorder m_recorder;
    AlsaSimpleMixer m_alsaMixer;
    AudioMixer m_mixer;
    OggPlayback m_playback;
    RecordingTest m_test;
    std::unique_ptr<TAudioConfigForm> m_page;
};
