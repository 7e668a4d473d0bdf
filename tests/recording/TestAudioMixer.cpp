#include "RecorderFakes.h"
#include "recording/AlsaSimpleMixer.h"
#include "recording/AudioMixer.h"
#include "settings/AudioRegistryStore.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Direction = SimpleMixer::Direction;

} // namespace

class TestAudioMixer final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    AudioRegistryStore store() { return AudioRegistryStore(m_dir.filePath(QStringLiteral("audio.ini"))); }

private slots:
    // Balance takes the given share off the first channel (0 and up) or the last (negative); percent 0 is
    // silence whatever the balance; values count from the control's minimum.
    void volumeArithmetic_data()
    {
        QTest::addColumn<long>("minimum");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("balance");
        QTest::addColumn<QList<long>>("values");
        QTest::newRow("balance 25") << 0L << 2 << 80 << 25 << QList<long>{60, 80};
        QTest::newRow("balance -25") << 0L << 2 << 80 << -25 << QList<long>{80, 60};
        QTest::newRow("balance 0") << 0L << 2 << 80 << 0 << QList<long>{80, 80};
        QTest::newRow("percent 0") << 0L << 2 << 0 << 25 << QList<long>{0, 0};
        QTest::newRow("percent 0 left") << 0L << 2 << 0 << -100 << QList<long>{0, 0};
        QTest::newRow("rounded") << 0L << 2 << 33 << 25 << QList<long>{25, 33};
        QTest::newRow("mono ignores balance") << 0L << 1 << 50 << 25 << QList<long>{50};
        QTest::newRow("from the minimum") << -40L << 1 << 50 << 0 << QList<long>{10};
        QTest::newRow("out of range clamped") << 0L << 2 << 150 << -300 << QList<long>{100, 0};
    }

    void volumeArithmetic()
    {
        QFETCH(long, minimum);
        QFETCH(int, channels);
        QFETCH(int, percent);
        QFETCH(int, balance);
        QFETCH(QList<long>, values);
        QCOMPARE(AudioMixer::channelValues({minimum, minimum + 100}, channels, percent, balance), values);
    }

    void initStatus_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("captureDevices");
        QTest::addColumn<int>("playbackDevices");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::newRow("ready") << 1 << 1 << 1 << true << 0 << "No error";
        QTest::newRow("no card") << 0 << 0 << 0 << true << 2 << "No sound card has been found!";
        QTest::newRow("no capture") << 1 << 0 << 1 << true << 3 << "No recording device has been found!";
        QTest::newRow("no playback") << 1 << 1 << 0 << true << 4 << "No playing device has been found!";
        QTest::newRow("mixer refused") << 1 << 1 << 1 << false << 1 << "Unable to initialize sound device";
    }

    void initStatus()
    {
        QFETCH(int, cards);
        QFETCH(int, captureDevices);
        QFETCH(int, playbackDevices);
        QFETCH(bool, opens);
        QFETCH(int, status);
        QFETCH(QString, text);
        FakeMixer fake;
        fake.cards = cards;
        fake.captureDevices = captureDevices;
        fake.playbackDevices = playbackDevices;
        fake.opens = opens;
        AudioRegistryStore registry = store();
        AudioMixer mixer(fake, registry);
        QCOMPARE(static_cast<int>(mixer.Init()), status);
        QCOMPARE(AudioMixer::statusText(mixer.status()), text);
        QCOMPARE(mixer.SetVolume(QStringLiteral("Capture"), Direction::Capture, 50, 0), status == 0);
    }

    // The chosen card's source and level are kept under its own name; a refusal keeps nothing.
    void sourceAndLevelAreKeptPerCard()
    {
        FakeMixer fake;
        AudioRegistryStore registry = store();
        registry.writeInteger(QStringLiteral("Record card id"), 1);
        AudioMixer mixer(fake, registry);
        QCOMPARE(mixer.Init(), AudioMixer::NoError);
        QCOMPARE(fake.openedCard, 1);

        QVERIFY(mixer.SelectSource(1));
        QCOMPARE(fake.selected, 1);
        QCOMPARE(registry.readInteger(QStringLiteral("Card1"), QStringLiteral("lineID"), -1), 1);
        QVERIFY(!mixer.SelectSource(3));
        QVERIFY(mixer.SetRecordingLevel(40));
        QCOMPARE(fake.written.value(QStringLiteral("Capture")), (QList<long>{40, 40}));
        QCOMPARE(registry.readInteger(QStringLiteral("Card1"), QStringLiteral("volume"), -1), 40);
        QVERIFY(!mixer.SetVolume(QStringLiteral("Nothing"), Direction::Playback, 40, 0));

        fake.accepts = false;
        QVERIFY(!mixer.SelectSource(2));
        QVERIFY(!mixer.SetRecordingLevel(90));
        QCOMPARE(registry.readInteger(QStringLiteral("Card1"), QStringLiteral("lineID"), -1), 1);
        QCOMPARE(registry.readInteger(QStringLiteral("Card1"), QStringLiteral("volume"), -1), 40);
    }

    // The ALSA mixer of this machine: without a card it says so, and every operation fails without harm.
    void alsaMixerOfThisMachine()
    {
        AlsaSimpleMixer alsa;
        AudioRegistryStore registry = store();
        AudioMixer mixer(alsa, registry);
        const AudioMixer::Status status = mixer.Init();
        if (alsa.cardCount() > 0) {
            QSKIP("this machine has a sound card");
        }
        QCOMPARE(status, AudioMixer::NoCard);
        QCOMPARE(AudioMixer::statusText(status), QStringLiteral("No sound card has been found!"));
        QVERIFY(!mixer.SetRecordingLevel(50));
        QVERIFY(!mixer.SelectSource(0));
        QVERIFY(alsa.captureSources().isEmpty());
        QVERIFY(!alsa.setVolumes(QStringLiteral("Capture"), Direction::Capture, {1, 1}));
    }
};

QTEST_GUILESS_MAIN(TestAudioMixer)
#include "TestAudioMixer.moc"
