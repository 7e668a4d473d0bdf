// The recorder against ALSA itself: a private configuration (ALSA_CONFIG_PATH) whose PCM "tone" is ALSA's file
// plugin reading a generated 1 kHz tone over the null plugin, as on a machine whose line input carries a tone.
#include "OggTestSignals.h"
#include "RecorderFakes.h"
#include "recording/AlsaCaptureDevice.h"
#include "recording/RecordingStorage.h"
#include "recording/TAudioComponent.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

using namespace OggTestSignals;

namespace {

// Injected time for the pacing of the clockless PCM: it runs while the capture thread waits for the next period,
// and stands still at limitMs, where the capture can only wait.
struct SteppedClock {
    std::atomic<qint64> nowMs{0};
    qint64 limitMs = 0;
    std::atomic<int> waitsAtLimit{0};

    AlsaCaptureDevice::PacingClock pacing()
    {
        return {[this] { return nowMs.load(); },
                [this](int ms) {
                    if (nowMs.load() >= limitMs) {
                        ++waitsAtLimit;
                        std::this_thread::yield();
                        return;
                    }
                    nowMs = std::min(limitMs, nowMs.load() + ms);
                }};
    }
};

} // namespace

class TestAlsaCapture final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString config = writeToneAlsaConfig(m_dir.path(), QStringLiteral("tone"), 10);
        QVERIFY(!config.isEmpty());
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(config));
    }

    // Four periods of 512 ms are captured in 2048 ms of paced time, encoded and closed into a file of the tone.
    void recordsTheToneOfTheFilePlugin()
    {
        SteppedClock clock;
        clock.limitMs = 2048;
        CountingWaits waits;
        RecordingStorage storage(m_dir.path(),
                                 LogFile(m_dir.filePath(QStringLiteral("audio.log")), LogFile::Stamp::Time));
        TAudioComponent recorder(std::make_unique<AlsaCaptureDevice>(clock.pacing()), storage, waits,
                                 LogFile(m_dir.filePath(QStringLiteral("audio.log")), LogFile::Stamp::Time));
        recorder.setCaptureSource({QStringLiteral("tone"), 1});
        int done = 0;
        QVERIFY(recorder.StartRecord(m_dir.path(), QStringLiteral("temp.ogg"), QStringLiteral("21"),
                                     QStringLiteral("Jan Kowalski"), QDateTime::currentDateTime(),
                                     [&done](bool) { ++done; }));
        QTRY_VERIFY(clock.waitsAtLimit.load() > 0);
        QVERIFY(recorder.StopRecord());
        QCOMPARE(done, 1);
        QCOMPARE(recorder.ErrorCode(), 0U);

        const Decoded decoded = decode(m_dir.filePath(QStringLiteral("temp.ogg")));
        QCOMPARE(decoded.rate, 8000L);
        QCOMPARE(static_cast<int>(decoded.firstChannel.size()), 4 * CaptureFormat::PeriodBytes);
        QCOMPARE(strongestFrequency(decoded.firstChannel), 1000.0);
    }

    // A device ALSA does not know is a missing card; the recording gives up with code 3.
    void unknownDeviceIsAMissingCard()
    {
        CountingWaits waits;
        RecordingStorage storage(m_dir.path(),
                                 LogFile(m_dir.filePath(QStringLiteral("audio.log")), LogFile::Stamp::Time));
        TAudioComponent recorder(std::make_unique<AlsaCaptureDevice>(), storage, waits,
                                 LogFile(m_dir.filePath(QStringLiteral("audio.log")), LogFile::Stamp::Time));
        recorder.setCaptureSource({QStringLiteral("hw:99"), 1});
        int done = 0;
        QVERIFY(!recorder.StartRecord(m_dir.path(), QStringLiteral("temp.ogg"), QStringLiteral("21"),
                                      QStringLiteral("x"), QDateTime::currentDateTime(), [&done](bool) { ++done; }));
        QCOMPARE(recorder.ErrorCode(), 3U);
        QCOMPARE(recorder.ErrorMessage(), QStringLiteral("audio card is not installed"));
        QCOMPARE(done, 1);
    }

    void deviceNames()
    {
        QCOMPARE(AlsaCaptureDevice::deviceNameForCard(-1), QStringLiteral("default"));
        QCOMPARE(AlsaCaptureDevice::deviceNameForCard(2), QStringLiteral("plughw:2"));
    }
};

QTEST_GUILESS_MAIN(TestAlsaCapture)
#include "TestAlsaCapture.moc"
