#include "recording/ui/TAudioConfigForm.h"

#include "recording/AudioMixer.h"
#include "recording/TAudioComponent.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QSlider* percentSlider(const char* name, int value, QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(0, 100);
    slider->setValue(std::clamp(value, 0, 100));
    return slider;
}

QHBoxLayout* radioRow(QButtonGroup& group, const QStringList& texts, int checked, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    for (int i = 0; i < texts.size(); ++i) {
        auto* button = new QRadioButton(texts.at(i), parent);
        button->setChecked(i == checked);
        group.addButton(button, i);
        row->addWidget(button);
    }
    return row;
}

} // namespace

TAudioConfigForm::TAudioConfigForm(SettingsRecord& settings, std::function<void()> saveSettings, TAudioComponent& audio,
                                   AudioMixer& mixer, RecordingTest& test, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
    , m_audio(audio)
    , m_mixer(mixer)
    , m_test(test)
    , m_recLevel(percentSlider("RecLevelTrackBar", settings.Audio.PoziomNagrania, this))
    , m_volLevel(percentSlider("VolLevelTrackBar", settings.Audio.Glosnosc, this))
    , m_signalLevel(new QProgressBar(this))
    , m_makeTest(new QPushButton(Lang::_("Test"), this))
    , m_stopTest(new QPushButton(Lang::_("Stop"), this))
    , m_status(new QLabel(AudioMixer::statusText(mixer.status()), this))
{
    setObjectName(QStringLiteral("TAudioConfigForm"));
    setWindowTitle(Lang::_("Audio"));
    m_signalLevel->setObjectName(QStringLiteral("SignalLevelProgressBar"));
    m_signalLevel->setRange(0, 100);
    m_signalLevel->setValue(0);
    m_makeTest->setObjectName(QStringLiteral("MakeTestButton"));
    m_stopTest->setObjectName(QStringLiteral("StopTestButton"));
    m_stopTest->setEnabled(false);
    m_levelTimer.setObjectName(QStringLiteral("LevelTimer"));
    m_levelTimer.setInterval(LevelMs);
    m_waitTimer.setObjectName(QStringLiteral("WaitTimer"));
    m_waitTimer.setSingleShot(true);
    m_waitTimer.setInterval(RecordingTest::EfficiencyTestMs);

    auto* form = new QFormLayout;
    form->addRow(Lang::_("Recording level"), m_recLevel);
    form->addRow(Lang::_("Playback volume"), m_volLevel);
    form->addRow(Lang::_("Channels"), radioRow(m_channelGroup, {Lang::_("Mono"), Lang::_("Stereo")},
                                               settings.Audio.Kanaly == 2 ? 1 : 0, this));
    form->addRow(Lang::_("Test"),
                 radioRow(m_testGroup, {Lang::_("Recording test"), Lang::_("Performance test")}, 0, this));
    form->addRow(Lang::_("Signal level"), m_signalLevel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_makeTest);
    buttons->addWidget(m_stopTest);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_status);

    connect(m_recLevel, &QSlider::valueChanged, this, [this](int value) {
        m_settings.Audio.PoziomNagrania = value;
        m_mixer.SetRecordingLevel(value);
    });
    connect(m_volLevel, &QSlider::valueChanged, this, [this](int value) {
        m_settings.Audio.Glosnosc = value;
        m_mixer.SetVolume(QStringLiteral("Master"), SimpleMixer::Direction::Playback, value, 0);
    });
    connect(&m_channelGroup, &QButtonGroup::idClicked, this, [this](int id) { m_settings.Audio.Kanaly = id + 1; });
    connect(m_makeTest, &QPushButton::clicked, this, &TAudioConfigForm::makeTest);
    connect(&m_levelTimer, &QTimer::timeout, this, &TAudioConfigForm::showLevel);
}

void TAudioConfigForm::chooseTest(int test)
{
    if (QAbstractButton* button = m_testGroup.button(test)) {
        button->setChecked(true);
    }
}

void TAudioConfigForm::chooseChannels(int channels)
{
    if (QAbstractButton* button = m_channelGroup.button(channels == 2 ? 1 : 0)) {
        button->click();
    }
}

void TAudioConfigForm::showLevel()
{
    m_signalLevel->setValue(m_audio.isRecording() ? m_audio.inputLevel() : 0);
}

void TAudioConfigForm::makeTest()
{
    m_makeTest->setEnabled(false);
    m_levelTimer.start();
    if (m_testGroup.checkedId() == 1) {
        runPerformanceTest();
    } else {
        m_test.run();
    }
    m_levelTimer.stop();
    showLevel();
    m_makeTest->setEnabled(true);
}

void TAudioConfigForm::runPerformanceTest()
{
    m_stopTest->setEnabled(true);
    m_test.TestSysPerformanceStart([this] {
        QEventLoop wait;
        connect(&m_waitTimer, &QTimer::timeout, &wait, &QEventLoop::quit);
        connect(m_stopTest, &QPushButton::clicked, &wait, &QEventLoop::quit);
        m_waitTimer.start();
        wait.exec();
        m_waitTimer.stop();
    });
    m_stopTest->setEnabled(false);
}

void TAudioConfigForm::done(int result)
{
    if (m_saveSettings) {
        m_saveSettings();
    }
    QDialog::done(result);
}
