#pragma once

#include "recording/RecordingTest.h"

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <functional>

class AudioMixer;
class TAudioComponent;
struct SettingsRecord;

// The audio page: recording level, playback volume, channels, the mixer's status and the recording test with
// its level meter. Level and volume go to the mixer at once; the settings are saved when the page closes.
class TAudioConfigForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr int LevelMs = 100;

    TAudioConfigForm(SettingsRecord& settings, std::function<void()> saveSettings, TAudioComponent& audio,
                     AudioMixer& mixer, RecordingTest& test, QWidget* parent = nullptr);

    QSlider& recordingLevel() { return *m_recLevel; }
    QSlider& playbackVolume() { return *m_volLevel; }
    QProgressBar& signalLevel() { return *m_signalLevel; }
    QTimer& levelTimer() { return m_levelTimer; }
    QTimer& waitTimer() { return m_waitTimer; }
    QPushButton& makeTestButton() { return *m_makeTest; }
    QPushButton& stopTestButton() { return *m_stopTest; }
    // 0: the recording test, 1: the performance test.
    void chooseTest(int test);
    void chooseChannels(int channels);

protected:
    void done(int result) override;

private:
    void makeTest();
    void runPerformanceTest();
    void showLevel();

    SettingsRecord& m_settings;
    std::function<void()> m_saveSettings;
    TAudioComponent& m_audio;
    AudioMixer& m_mixer;
    RecordingTest& m_test;
    QSlider* m_recLevel;
    QSlider* m_volLevel;
    QButtonGroup m_channelGroup;
    QButtonGroup m_testGroup;
    QProgressBar* m_signalLevel;
    QPushButton* m_makeTest;
    QPushButton* m_stopTest;
    QLabel* m_status;
    QTimer m_levelTimer;
    QTimer m_waitTimer;
};
