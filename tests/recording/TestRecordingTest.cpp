#include "OggTestSignals.h"
#include "RecorderFakes.h"
#include "recording/OggPlayback.h"
#include "recording/RecordingStorage.h"
#include "recording/RecordingTest.h"
#include "recording/TAudioComponent.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace OggTestSignals;

namespace {

// The recording test on a fake capture device; the playback goes to ALSA's file plugin, as configured by the test.
struct Harness {
    explicit Harness(const QString& folder)
        : storage(folder, LogFile(folder + QStringLiteral("/audio.log"), LogFile::Stamp::Time))
        , audio(std::unique_ptr<CaptureDevice>(device = new FakeCaptureDevice), storage, waits,
                LogFile(folder + QStringLiteral("/audio.log"), LogFile::Stamp::Time))
        , playback(LogFile(folder + QStringLiteral("/audio.log"), LogFile::Stamp::Time))
        , test(audio, playback,
               {[this](const QString& question) {
                    questions << question;
                    if (questions.size() == 2) {
                        // Speaking into the handset: one period of a tone.
                        device->feed(tone(1000.0, 4096, 1));
                        levelShown = QTest::qWaitFor([this] { return audio.inputLevel() > 0; });
                        levelWhileSpeaking = audio.inputLevel();
                    }
                    return answers.isEmpty() || answers.takeFirst();
                },
                [this](const QString& text) {
                    told << text;
                }},
               folder, [this] { return playDevice; })
    {
    }

    CountingWaits waits;
    FakeCaptureDevice* device = nullptr;
    RecordingStorage storage;
    TAudioComponent audio;
    OggPlayback playback;
    RecordingTest test;
    QStringList questions;
    QList<bool> answers;
    QStringList told;
    QString playDevice = QStringLiteral("played");
    int levelWhileSpeaking = -1;
    bool levelShown = false;
};

} // namespace

class TestRecordingTest final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("asound.conf")),
                          QStringLiteral("pcm.played {\n"
                                         "    type file\n"
                                         "    slave { pcm { type null } }\n"
                                         "    file \"%1\"\n"
                                         "    format \"raw\"\n"
                                         "}\n")
                              .arg(m_dir.filePath(QStringLiteral("played.raw")))
                              .toUtf8()));
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(m_dir.filePath(QStringLiteral("asound.conf"))));
    }

    // Asked, recorded with the level shown, stopped and played back to the device: the device gets the tone.
    void recordsAndPlaysBack()
    {
        Harness harness(m_dir.path());
        QVERIFY(harness.test.run());
        QCOMPARE(harness.questions,
                 (QStringList{QStringLiteral("Recording test. Check if the phone is connected to the audio card input. "
                                             "Press OK if ready."),
                              QStringLiteral("Now tell a few words to the handset. Press OK if ready"),
                              QStringLiteral("Recording test has been ended. Do you want to playback a record?")}));
        QVERIFY(harness.levelShown);
        QVERIFY2(harness.levelWhileSpeaking >= 69 && harness.levelWhileSpeaking <= 71,
                 qPrintable(QString::number(harness.levelWhileSpeaking)));
        QCOMPARE(harness.told, QStringList{QStringLiteral("Playing record has been finished")});
        QCOMPARE(harness.playback.framesPlayed(), 4096);
        QFile played(m_dir.filePath(QStringLiteral("played.raw")));
        QVERIFY(played.open(QIODevice::ReadOnly));
        const QByteArray bytes = played.readAll();
        QCOMPARE(bytes.size(), 4096);
        std::vector<float> samples;
        for (const char byte : bytes) {
            samples.push_back((static_cast<unsigned char>(byte) - 128) / 128.0F);
        }
        QCOMPARE(strongestFrequency(samples), 1000.0);
    }

    void failuresAreShownWithTheirText()
    {
        Harness harness(m_dir.path());
        harness.answers = {false};
        QVERIFY(!harness.test.run());
        QCOMPARE(harness.questions.size(), 1);

        harness.questions.clear();
        harness.device->openResult = CaptureDevice::OpenResult::NoDevice;
        QVERIFY(!harness.test.run());
        QCOMPARE(harness.told,
                 QStringList{QStringLiteral("\nAttenttion! Error has been detected: audio card is not installed")});

        harness.told.clear();
        harness.questions.clear();
        harness.device->openResult = CaptureDevice::OpenResult::Opened;
        harness.playDevice = QStringLiteral("nowhere");
        QVERIFY(!harness.test.run());
        QCOMPARE(harness.told,
                 QStringList{QStringLiteral("\nAttenttion! Error has been detected: audio device is busy")});
        QVERIFY(QString::fromUtf8(readFile(m_dir.filePath(QStringLiteral("audio.log"))))
                    .contains(QStringLiteral("WavePlayOpen error nowhere")));
    }

    // The computer keeps up when every period reached the encoder.
    void performanceTestPassesWhenNothingIsDropped()
    {
        Harness harness(m_dir.path());
        QVERIFY(harness.test.TestSysPerformanceStart([&harness] {
            harness.device->feed(QByteArray(4096, char(128)));
            harness.device->waitForPeriodsRead(1);
        }));
        QCOMPARE(harness.told, QStringList{QStringLiteral("no errors")});
        QVERIFY(QFile::exists(harness.test.calibrationPath()));
    }

    // The configuration's measurement tells the user nothing itself; a test recording that cannot be made is not
    // taken for a slow computer.
    void measurementGivesItsVerdictSilently()
    {
        Harness harness(m_dir.path());
        harness.device->openResult = CaptureDevice::OpenResult::NoDevice;
        bool waited = false;
        RecordingTest::Efficiency measured = harness.test.measureEfficiency([&waited] { waited = true; });
        QCOMPARE(measured.verdict, RecordingTest::Efficiency::Verdict::NotRun);
        QCOMPARE(measured.problem, QStringLiteral("audio card is not installed"));
        QVERIFY(!waited);

        harness.device->openResult = CaptureDevice::OpenResult::Opened;
        measured = harness.test.measureEfficiency([&harness] {
            harness.device->feed(QByteArray(4096, char(128)));
            harness.device->waitForPeriodsRead(1);
        });
        QCOMPARE(measured.verdict, RecordingTest::Efficiency::Verdict::KeptUp);
        QVERIFY(harness.told.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordingTest)
#include "TestRecordingTest.moc"
