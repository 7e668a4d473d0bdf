#include "OggTestSignals.h"
#include "RecorderFakes.h"
#include "recording/AlsaCaptureDevice.h"
#include "recording/AudioError.h"
#include "recording/RecordingStorage.h"
#include "recording/TAudioComponent.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace OggTestSignals;

namespace {

const QDateTime CallStart(QDate(2024, 3, 5), QTime(14, 7, 9));
const QString WorkingName = QStringLiteral("temp.ogg");

struct Outcome {
    int calls = 0;
    bool userStopped = false;
};

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestAudioComponent final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_logPath;
    std::unique_ptr<RecordingStorage> m_storage;

    std::unique_ptr<TAudioComponent> makeRecorder(FakeCaptureDevice*& device, CountingWaits& waits, int channels = 1)
    {
        auto fake = std::make_unique<FakeCaptureDevice>();
        device = fake.get();
        m_storage = std::make_unique<RecordingStorage>(m_dir.filePath(QStringLiteral("default")),
                                                       LogFile(m_logPath, LogFile::Stamp::DateTime));
        auto recorder = std::make_unique<TAudioComponent>(std::move(fake), *m_storage, waits,
                                                          LogFile(m_logPath, LogFile::Stamp::DateTime));
        recorder->setCaptureSource({QStringLiteral("plughw:1"), channels});
        return recorder;
    }

    bool start(TAudioComponent& recorder, Outcome& outcome, const QString& folder)
    {
        return recorder.StartRecord(folder, WorkingName, QStringLiteral("600123456"), QStringLiteral("Jan Kowalski"),
                                    CallStart, [&outcome](bool userStopped) {
                                        ++outcome.calls;
                                        outcome.userStopped = userStopped;
                                    });
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_logPath = m_dir.filePath(QStringLiteral("log/audio.log"));
        QFile::remove(m_logPath);
        QFile::remove(m_dir.filePath(WorkingName));
    }

    // Periods go to the encoder as they come, the unfinished one at the stop as well; the file holds all of it.
    void recordsEveryPeriodUntilStopped()
    {
        CountingWaits waits;
        FakeCaptureDevice* device = nullptr;
        auto recorder = makeRecorder(device, waits, 2);
        Outcome outcome;
        QVERIFY(start(*recorder, outcome, m_dir.path()));
        QVERIFY(recorder->isRecording());
        QVERIFY(!recorder->EngineFree().isSet());
        QCOMPARE(device->openedName, QStringLiteral("plughw:1"));
        QCOMPARE(device->openedChannels, 2);

        const QByteArray period = tone(1000.0, CaptureFormat::PeriodBytes / 2, 2);
        for (int i = 1; i <= 3; ++i) {
            device->feed(period, i == 3 ? tone(1000.0, 1000, 2) : QByteArray());
            device->waitForPeriodsRead(i);
        }
        QVERIFY(recorder->StopRecord(true));
        QCOMPARE(outcome.calls, 1);
        QVERIFY(outcome.userStopped);
        QVERIFY(!recorder->isRecording());
        QVERIFY(recorder->EngineFree().isSet());
        QCOMPARE(recorder->ErrorCode(), 0U);
        QCOMPARE(device->closes, 1);
        // A second stop and the queued completion change nothing.
        QVERIFY(recorder->StopRecord());
        QCoreApplication::processEvents();
        QCOMPARE(outcome.calls, 1);

        const Decoded decoded = decode(m_dir.filePath(WorkingName));
        QCOMPARE(decoded.rate, 8000L);
        QCOMPARE(decoded.channels, 2);
        QCOMPARE(static_cast<int>(decoded.firstChannel.size()), 3 * 2048 + 1000);
        QCOMPARE(strongestFrequency(decoded.firstChannel), 1000.0);
        QCOMPARE(decoded.tags.value(QStringLiteral("ARTIST")), QStringLiteral("Caller: Jan Kowalski"));

        const QString log = readAll(m_logPath);
        QVERIFY(log.contains(QStringLiteral("StartRecord File: ") + m_dir.filePath(WorkingName) +
                             QStringLiteral(" Number: 600123456")));
        QVERIFY(log.contains(QStringLiteral("Recording stopped")));
    }

    // Every failed start frees the engine, tells the caller once, and leaves the next start possible.
    void failedStartsReportTheirCause_data()
    {
        QTest::addColumn<int>("openResult");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<quint32>("code");
        QTest::addColumn<QString>("logLine");
        QTest::addColumn<QString>("text");
        QTest::newRow("no card") << static_cast<int>(CaptureDevice::OpenResult::NoDevice) << true << true << 3U
                                 << "WaveOpenError: plughw:1 fake refusal"
                                 << "audio card is not installed";
        QTest::newRow("busy") << static_cast<int>(CaptureDevice::OpenResult::Failed) << true << true << 4U
                              << "WaveOpenError: "
                              << "recording device is busy or not connected";
        QTest::newRow("start refused") << static_cast<int>(CaptureDevice::OpenResult::Opened) << false << true << 4U
                                       << "WaveRecordBegin error: fake start failure"
                                       << "recording device is busy or not connected";
        QTest::newRow("no folder") << static_cast<int>(CaptureDevice::OpenResult::Opened) << true << false << 16U
                                   << "Use default path"
                                   << "is unavailbe";
    }

    void failedStartsReportTheirCause()
    {
        QFETCH(int, openResult);
        QFETCH(bool, startSucceeds);
        QFETCH(bool, folderExists);
        QFETCH(quint32, code);
        QFETCH(QString, logLine);
        QFETCH(QString, text);
        CountingWaits waits;
        FakeCaptureDevice* device = nullptr;
        auto recorder = makeRecorder(device, waits);
        device->openResult = static_cast<CaptureDevice::OpenResult>(openResult);
        device->startSucceeds = startSucceeds;
        Outcome outcome;
        // Neither the folder nor the default can be made when a file stands where their parents should be.
        QFile blocker(m_dir.filePath(QStringLiteral("default")));
        if (!folderExists) {
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
        }
        const QString folder = folderExists ? m_dir.path() : m_dir.filePath(QStringLiteral("default/sub"));

        QVERIFY(!start(*recorder, outcome, folder));
        QCOMPARE(recorder->ErrorCode(), code);
        QVERIFY2(recorder->ErrorMessage().contains(text), qPrintable(recorder->ErrorMessage()));
        QCOMPARE(outcome.calls, 1);
        QVERIFY(!outcome.userStopped);
        QVERIFY(!recorder->isRecording());
        QVERIFY(recorder->EngineFree().isSet());
        const QString log = readAll(m_logPath);
        QVERIFY2(log.contains(logLine), qPrintable(log));
        QVERIFY(log.contains(QStringLiteral("Give UP ! Unable to start recording")));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(WorkingName)));

        blocker.remove();
        device->openResult = CaptureDevice::OpenResult::Opened;
        device->startSucceeds = true;
        QVERIFY(start(*recorder, outcome, m_dir.path()));
        QCOMPARE(recorder->ErrorCode(), 0U);
        QVERIFY(recorder->StopRecord());
        QCOMPARE(outcome.calls, 2);
    }

    // A stop that does not see the capture close, and a start while it is still closing, each wait about five
    // seconds and fail with code 5; once the capture closes the caller hears of it and recording works again.
    void startWhileClosingFailsAfterTheWait()
    {
        CountingWaits waits;
        FakeCaptureDevice* device = nullptr;
        auto recorder = makeRecorder(device, waits);
        Outcome outcome;
        QVERIFY(start(*recorder, outcome, m_dir.path()));
        device->holdClose(true);
        waits.synchroniseWithThreads = false;
        waits.elapsedMs = 0;

        QVERIFY(!recorder->StopRecord());
        device->waitUntilCloseHeld();
        QCOMPARE(recorder->ErrorCode(), 5U);
        QCOMPARE(recorder->ErrorMessage(), QStringLiteral("operation cannot be disturbed "));
        QCOMPARE(waits.elapsedMs, 5 + 9 * (562 + 50));
        waits.elapsedMs = 0;
        QVERIFY(!start(*recorder, outcome, m_dir.path()));
        QCOMPARE(recorder->ErrorCode(), 5U);
        QCOMPARE(waits.elapsedMs, 5 + 9 * (562 + 50));
        QCOMPARE(outcome.calls, 0);
        const QString log = readAll(m_logPath);
        QVERIFY(log.contains(QStringLiteral("StopRecord Audio is still in use")));
        QVERIFY(log.contains(QStringLiteral("Unable to start recording, audio engine busy")));

        device->holdClose(false);
        QVERIFY(recorder->EngineFree().waitFor(std::chrono::seconds(10)));
        QTRY_COMPARE(outcome.calls, 1);
        waits.synchroniseWithThreads = true;
        QVERIFY(start(*recorder, outcome, m_dir.path()));
        QVERIFY(recorder->StopRecord());
        QCOMPARE(outcome.calls, 2);
    }

    // The file of a finished capture takes the call's name; a start that failed leaves nothing to name; a working
    // file that has gone is reported.
    void endOfCallNamesTheRecording()
    {
        CountingWaits waits;
        FakeCaptureDevice* device = nullptr;
        auto recorder = makeRecorder(device, waits);
        QSignalSpy kept(recorder.get(), &TAudioComponent::recordingKept);
        QSignalSpy missing(recorder.get(), &TAudioComponent::recordingMissing);
        Outcome outcome;
        const QString named = m_dir.filePath(QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-00-03.ogg"));
        QFile::remove(named);

        QVERIFY(start(*recorder, outcome, m_dir.path()));
        QVERIFY(recorder->StopRecord());
        recorder->FinishCall(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(kept.count(), 1);
        QCOMPARE(kept.at(0).at(0).toString(), named);
        QVERIFY(QFileInfo::exists(named));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(WorkingName)));
        // A second hand-over for the same call renames nothing.
        recorder->FinishCall(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(kept.count(), 1);

        device->openResult = CaptureDevice::OpenResult::NoDevice;
        QVERIFY(!start(*recorder, outcome, m_dir.path()));
        recorder->FinishCall(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(kept.count(), 1);
        QCOMPARE(missing.count(), 0);

        device->openResult = CaptureDevice::OpenResult::Opened;
        QVERIFY(start(*recorder, outcome, m_dir.path()));
        QVERIFY(recorder->StopRecord());
        QVERIFY(QFile::remove(m_dir.filePath(WorkingName)));
        recorder->FinishCall(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(missing.count(), 1);
        QVERIFY(readAll(m_logPath).contains(QStringLiteral("File doesn't exist:")));
    }

    void errorTexts()
    {
        QCOMPARE(AudioError::message(0), QStringLiteral("no errors"));
        QCOMPARE(AudioError::message(1, QStringLiteral("encoder says")), QStringLiteral("encoder says"));
        QCOMPARE(AudioError::message(14, {}, QStringLiteral("/r/a.ogg")),
                 QStringLiteral("file /r/a.ogg  do not exist"));
        QCOMPARE(AudioError::message(16, {}, QStringLiteral("/r")),
                 QStringLiteral("Audio call folder /r is unavailbe"));
        QCOMPARE(AudioError::message(19, {}, QStringLiteral("/r/a.ogg")),
                 QStringLiteral("disc operation on file /r/a.ogg has failed"));
        QCOMPARE(AudioError::message(18, {}, QStringLiteral("//server/share")),
                 QStringLiteral("no privileges to record on network drive."));
        QCOMPARE(AudioError::message(18, {}, QStringLiteral("/tmp/x")),
                 QStringLiteral("selected file system is read only."));
        QCOMPARE(AudioError::message(18, {}, QStringLiteral("/no-such-mount/x")),
                 QStringLiteral("wrong path - device /no-such-mount does't exist Change audio notes location."));
        QCOMPARE(AudioError::message(998), QStringLiteral("no access for file"));
        QCOMPARE(AudioError::fromCreateErrno(ENOENT), 15U);
        QCOMPARE(AudioError::fromCreateErrno(ENOTDIR), 16U);
        QCOMPARE(AudioError::fromCreateErrno(EMFILE), 17U);
        QCOMPARE(AudioError::fromCreateErrno(EACCES), 998U);
        QCOMPARE(AudioError::fromCreateErrno(EIO), 19U);
    }
};

QTEST_GUILESS_MAIN(TestAudioComponent)
#include "TestAudioComponent.moc"
