#include "RecorderFakes.h"
#include "recording/CallRecorder.h"
#include "recording/RecordingStorage.h"
#include "recording/TAudioComponent.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime CallStart(QDate(2024, 3, 5), QTime(14, 7, 9));

// A recorder of calls on a fake capture device, with its notices and button states.
struct Harness {
    explicit Harness(const QString& folder)
        : storage(folder + QStringLiteral("/default"),
                  LogFile(folder + QStringLiteral("/audio.log"), LogFile::Stamp::Time))
        , audio(std::unique_ptr<CaptureDevice>(device = new FakeCaptureDevice), storage, waits,
                LogFile(folder + QStringLiteral("/audio.log"), LogFile::Stamp::Time))
        , recorder(audio, settings)
        , notices(&recorder, &CallRecorder::notice)
        , shown(&recorder, &CallRecorder::recordingShown)
    {
        settings.Audio.Katalog = folder;
        settings.Audio.ZrodloAudio = 0;
        settings.Konta.AccHistory = false;
    }

    void connect(int mode, const QString& number = QStringLiteral("600123456"))
    {
        recorder.conversationStarted(mode, number, QStringLiteral("Jan Kowalski"), CallStart);
    }
    int lastNotice() const { return notices.isEmpty() ? -1 : notices.last().at(0).toInt(); }
    QString lastNoticeText() const { return notices.isEmpty() ? QString() : notices.last().at(1).toString(); }
    bool lastShown() const { return !shown.isEmpty() && shown.last().at(0).toBool(); }

    SettingsRecord settings;
    CountingWaits waits;
    FakeCaptureDevice* device = nullptr;
    RecordingStorage storage;
    TAudioComponent audio;
    CallRecorder recorder;
    QSignalSpy notices;
    QSignalSpy shown;
};

} // namespace

class TestCallRecorder final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void modesAndNumbers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("accHistory");
        QTest::addColumn<bool>("recordsAtOnce");
        QTest::newRow("mode 0") << 0 << "600123456" << false << true;
        QTest::newRow("mode 1") << 1 << "600123456" << false << true;
        QTest::newRow("mode 2 waits for the click") << 2 << "600123456" << false << false;
        QTest::newRow("mode 3 records nothing") << 3 << "600123456" << false << false;
        QTest::newRow("mode -1 records nothing") << -1 << "600123456" << false << false;
        QTest::newRow("service code") << 0 << "#21" << false << false;
        QTest::newRow("service code with AccHistory") << 0 << "#21" << true << true;
        QTest::newRow("#* code") << 0 << "#*42" << false << true;
        QTest::newRow("#* code after spaces") << 0 << " #*42" << false << true;
        QTest::newRow("* code") << 0 << "*21" << false << true;
    }

    void modesAndNumbers()
    {
        QFETCH(int, mode);
        QFETCH(QString, number);
        QFETCH(bool, accHistory);
        QFETCH(bool, recordsAtOnce);
        Harness harness(m_dir->path());
        harness.settings.Konta.AccHistory = accHistory;
        harness.connect(mode, number);
        QCOMPARE(harness.audio.isRecording(), recordsAtOnce);
        QCOMPARE(harness.lastShown(), recordsAtOnce);
        harness.recorder.callReleased();
        QCOMPARE(harness.lastNotice(), recordsAtOnce ? int(CallRecorder::Recorded) : -1);
    }

    // A whole call: the recording is named after the call and the user told it was recorded.
    void recordedCallIsNamedAtTheEnd()
    {
        Harness harness(m_dir->path());
        harness.connect(0);
        harness.device->feed(QByteArray(4096, char(128)));
        harness.device->waitForPeriodsRead(1);
        harness.recorder.callReleased();
        harness.recorder.callEnded(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Recorded));
        QVERIFY(!harness.lastShown());
        QVERIFY(QFileInfo::exists(m_dir->filePath(QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-00-03.ogg"))));
    }

    // A call that never became a conversation (dialled, not answered) leaves no file and no notice.
    void unansweredCallLeavesNothing()
    {
        Harness harness(m_dir->path());
        harness.connect(0, QStringLiteral("6"));
        QVERIFY(harness.audio.isRecording());
        harness.recorder.callReleased(false);
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("temp.ogg"))));
        QCOMPARE(harness.notices.count(), 0);
        QVERIFY(!harness.lastShown());
    }

    // Mode 2: a click starts the recording of the conversation, a second one stops it; outside a conversation
    // the click does nothing.
    void clicksStartAndStopInModeTwo()
    {
        Harness harness(m_dir->path());
        harness.recorder.toggleByUser();
        QVERIFY(!harness.audio.isRecording());
        harness.connect(2);
        QVERIFY(!harness.audio.isRecording());
        harness.recorder.toggleByUser();
        QVERIFY(harness.audio.isRecording());
        QVERIFY(harness.lastShown());
        harness.recorder.toggleByUser();
        QVERIFY(!harness.audio.isRecording());
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Aborted));
        harness.recorder.toggleByUser();
        QVERIFY(harness.audio.isRecording());
        harness.recorder.callReleased();
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Captured));
        harness.recorder.toggleByUser();
        QVERIFY(!harness.audio.isRecording());
    }

    void failuresAreToldWithTheirText()
    {
        Harness harness(m_dir->path());
        harness.device->openResult = CaptureDevice::OpenResult::NoDevice;
        harness.connect(0);
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Failed));
        QCOMPARE(harness.lastNoticeText(), QStringLiteral("audio card is not installed"));
        QVERIFY(!harness.lastShown());
        harness.recorder.callReleased();
        harness.recorder.callEnded(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(harness.notices.count(), 1);

        harness.device->openResult = CaptureDevice::OpenResult::Opened;
        harness.connect(0);
        harness.recorder.callReleased();
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("temp.ogg"))));
        harness.recorder.callEnded(QStringLiteral("Jan Kowalski"), CallStart, 3);
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Missing));
        QCOMPARE(harness.lastNoticeText(), QStringLiteral("temp.ogg"));
    }

    // The next call's recording cannot start while the last one is still closing: after the wait it fails with
    // code 5 and the user is told; the call itself is not held up further.
    void startWhileClosingFailsWithCodeFive()
    {
        Harness harness(m_dir->path());
        harness.connect(0);
        harness.device->holdClose(true);
        harness.waits.synchroniseWithThreads = false;
        harness.recorder.callReleased();
        harness.device->waitUntilCloseHeld();
        harness.waits.elapsedMs = 0;
        harness.connect(0);
        QCOMPARE(harness.audio.ErrorCode(), 5U);
        QCOMPARE(harness.waits.elapsedMs, 5 + 9 * (562 + 50));
        QCOMPARE(harness.lastNotice(), int(CallRecorder::Failed));
        QCOMPARE(harness.lastNoticeText(), QStringLiteral("operation cannot be disturbed "));
        QVERIFY(!harness.lastShown());
        harness.device->holdClose(false);
        QVERIFY(harness.audio.EngineFree().waitFor(std::chrono::seconds(10)));
        QCoreApplication::processEvents();
    }
};

QTEST_GUILESS_MAIN(TestCallRecorder)
#include "TestCallRecorder.moc"
