#include "BothEngines.h"
#include "HistoryTestDatabase.h"
#include "OpenedDatabases.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingLinks.h"
#include "books/history/HistoryRegister.h"
#include "recording/pbx/CERecManager.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Start{QDate(2024, 3, 5), QTime(14, 7, 9)};

} // namespace

// The exchange's recordings linked to call-history entries on SQLite files and on a PostgreSQL server alike: the
// identifier stored in the row reserved for the call, found again when the file arrives, and the file named by
// the call once its entry is written.
class TestRecordingHistoryOnBothEngines final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_engines.start(), qPrintable(m_engines.error())); }
    void cleanupTestCase() { m_engines.stop(); }

    void recordingsAreLinkedToTheirCalls_data() { BothEngines::addRows(); }
    void recordingsAreLinkedToTheirCalls()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedHistory test(location);
        QVERIFY2(test.ok(), qPrintable(test.outcome.error));
        HistoryRegister entries(*test.history);
        HistoryReader reader(*test.history);
        QTemporaryDir folder;
        HistoryRecordingLinks links(
            {[&entries] { return &entries; }, [&reader] { return &reader; },
             [](const QString& number) { return number == u"600123456"_s ? u"Jan Kowalski"_s : QString(); },
             [&folder] {
                 return folder.path();
             }});
        SettingsRecord settings{};
        settings.Audio.NagrywanieWlaczone = true;
        settings.Audio.ZrodloAudio = 1;
        QList<DownloadJob> jobs;
        CERecManager manager(settings, links, [&jobs](DownloadJob job) { jobs.append(std::move(job)); });

        // Announced before the row is reserved: stored when it is.
        manager.recordingBegun(u"rec/000123401"_s);
        const int reserved = entries.reserveEntry();
        QVERIFY(reserved > 0);
        manager.entryReserved(reserved);
        QCOMPARE(reader.recordingOfEntry(reserved), u"0001234"_s);
        QVERIFY(reader.entry(reserved)->hasRecording);
        QVERIFY(reader.entry(reserved)->reserved);
        manager.recordingEnded(u"1"_s, u"127.0.0.1"_s, u"rec/000123401"_s);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs.at(0).record.folder, u"rec"_s);

        // The file arrives while the row is still reserved, then the call's entry fills the row.
        manager.fileReceived(u"000123401"_s, "RIFF");
        QCOMPARE(manager.completedFiles().size(), 1);
        QCOMPARE(manager.completedFiles().at(0).entryId, reserved);
        HistoryEntry call = callEntry(2, u"600123456"_s, Start, 95);
        QCOMPARE(entries.addEntry(call), reserved);
        manager.entryAdded(reserved, Start, call.number);
        manager.callClosed();
        const HistoryEntry written = *reader.entry(reserved);
        QVERIFY(written.hasRecording && !written.reserved);
        QCOMPARE(written.recordingId, u"0001234"_s);
        QCOMPARE(reader.entryForRecording(u"0001234"_s), reserved);
        const QString named = u"0001234 Jan Kowalski_05-03-24 14-07-09.wav"_s;
        QCOMPARE(QFileInfo(manager.completedFiles().at(0).localPath).fileName(), named);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{named});

        // A later recording of an unknown caller, fetched after the call was written, is named at once.
        const int second = entries.reserveEntry();
        manager.entryReserved(second);
        QCOMPARE(entries.addEntry(callEntry(3, u"601"_s, Start.addSecs(600), 30)), second);
        manager.recordingBegun(u"000200001"_s);
        manager.recordingEnded(u"1"_s, u"127.0.0.1"_s, u"000200001"_s);
        manager.fileReceived(u"000200001"_s, "RIFF2");
        QCOMPARE(QFileInfo(manager.completedFiles().at(1).localPath).fileName(),
                 u"0002000 unknown call_05-03-24 14-17-09.wav"_s);
        QCOMPARE(reader.entryForRecording(u"0002000"_s), second);
        QCOMPARE(reader.entryForRecording(u"0001234"_s), reserved);
    }

private:
    BothEngines m_engines;
};

QTEST_GUILESS_MAIN(TestRecordingHistoryOnBothEngines)
#include "TestRecordingHistoryOnBothEngines.moc"
