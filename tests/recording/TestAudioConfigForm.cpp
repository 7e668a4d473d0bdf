#include "RecorderFakes.h"
#include "recording/AudioMixer.h"
#include "recording/OggPlayback.h"
#include "recording/RecordingStorage.h"
#include "recording/RecordingTest.h"
#include "recording/TAudioComponent.h"
#include "recording/ui/TAudioConfigForm.h"
#include "settings/AudioRegistryStore.h"
#include "settings/SettingsRecord.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray loudPeriod()
{
    QByteArray period(4096, char(128));
    period[100] = char(0); // one peak at full scale
    return period;
}

} // namespace

class TestAudioConfigForm final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    // The page's controls reach the settings and the mixer; the level meter follows the capture during the
    // recording test; the performance test ends early with the stop button; the settings are saved on closing.
    void pageDrivesMixerSettingsAndTests()
    {
        SettingsRecord settings;
        settings.Audio.PoziomNagrania = 30;
        settings.Audio.Kanaly = 1;
        int saves = 0;
        CountingWaits waits;
        auto* device = new FakeCaptureDevice;
        RecordingStorage storage(m_dir.path(), LogFile(file("audio.log"), LogFile::Stamp::Time));
        TAudioComponent audio(std::unique_ptr<CaptureDevice>(device), storage, waits,
                              LogFile(file("audio.log"), LogFile::Stamp::Time));
        FakeMixer fakeMixer;
        AudioRegistryStore registry(file("audio.ini"));
        AudioMixer mixer(fakeMixer, registry);
        QCOMPARE(mixer.Init(), AudioMixer::NoError);
        OggPlayback playback(LogFile(file("audio.log"), LogFile::Stamp::Time));
        QStringList told;
        int meterWhileSpeaking = -1;
        TAudioConfigForm* page = nullptr;
        RecordingTest test(audio, playback,
                           {[&](const QString& question) {
                                if (question.startsWith(QStringLiteral("Now tell"))) {
                                    device->feed(loudPeriod());
                                    if (QTest::qWaitFor([&] { return audio.inputLevel() > 0; })) {
                                        emit page->levelTimer().timeout({});
                                        meterWhileSpeaking = page->signalLevel().value();
                                    }
                                }
                                // No playback.
                                return !question.contains(QStringLiteral("playback"));
                            },
                            [&](const QString& text) {
                                told << text;
                            }},
                           m_dir.path(), [] { return QStringLiteral("nowhere"); });
        test.setPreparation([&] { audio.setCaptureSource({QStringLiteral("default"), settings.Audio.Kanaly}); });
        TAudioConfigForm form(
            settings, [&saves] { ++saves; }, audio, mixer, test);
        page = &form;
        QCOMPARE(form.recordingLevel().value(), 30);

        form.recordingLevel().setValue(60);
        QCOMPARE(settings.Audio.PoziomNagrania, 60);
        QCOMPARE(fakeMixer.written.value(QStringLiteral("Capture")), (QList<long>{60, 60}));
        form.playbackVolume().setValue(50);
        QCOMPARE(settings.Audio.Glosnosc, 50);
        QCOMPARE(fakeMixer.written.value(QStringLiteral("Master")), QList<long>{10});
        form.chooseChannels(2);
        QCOMPARE(settings.Audio.Kanaly, 2);

        QTest::mouseClick(&form.makeTestButton(), Qt::LeftButton);
        QCOMPARE(meterWhileSpeaking, 100);
        QCOMPARE(form.signalLevel().value(), 0);
        QVERIFY(told.isEmpty());
        QCOMPARE(device->openedChannels, 2);

        form.chooseTest(1);
        QTimer::singleShot(0, &form, [&form] {
            QVERIFY(form.waitTimer().isActive());
            QTest::mouseClick(&form.stopTestButton(), Qt::LeftButton);
        });
        QTest::mouseClick(&form.makeTestButton(), Qt::LeftButton);
        QCOMPARE(told, QStringList{QStringLiteral("no errors")});
        QVERIFY(!form.waitTimer().isActive());

        form.accept();
        QCOMPARE(saves, 1);
    }
};

QTEST_MAIN(TestAudioConfigForm)
#include "TestAudioConfigForm.moc"
