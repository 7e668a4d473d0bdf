#include "HistoryTestDatabase.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingFiles.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistoryTrimmer.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QDateTime FirstStart{QDate(2023, 1, 2), QTime(8, 0, 0)};

QString nameForNumber(const QString& number)
{
    return number == u"601" ? QStringLiteral("Jan Kowalski") : QString();
}

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("OggS") == 4;
}

} // namespace

// Keeping the history at its maximum length, with the recording files of the entries that go.
class TestHistoryTrimmer final : public QObject {
    Q_OBJECT

private:
    // Calls a minute apart from start, written in one transaction as the register writes them.
    static bool seed(HistoryTestDatabase& test, int count, const QDateTime& start, bool archived, bool recorded)
    {
        return writeHistoryRows(test.database(), count, [&](int i) {
            HistoryEntry call = callEntry(2, QStringLiteral("601"), start.addSecs(60LL * i), 30);
            call.hasRecording = recorded;
            call.archived = archived;
            return call;
        });
    }

    static QString recordingPath(const QString& folder, const QDateTime& start)
    {
        const HistoryRecordingFiles files(folder, nameForNumber);
        return QDir(folder).filePath(files.fileName(callEntry(2, QStringLiteral("601"), start, 30)));
    }

private slots:
    void callBeyondTheLimitTakesTheOldestEntryAndItsFileButNoArchivedOne()
    {
        HistoryTestDatabase test;
        QVERIFY(test.isReady());
        const QString folder = test.folder();
        QVERIFY(seed(test, 5, FirstStart.addDays(-10), true, true));
        QVERIFY(seed(test, 1000, FirstStart, false, true));
        const QString oldest = recordingPath(folder, FirstStart);
        const QString next = recordingPath(folder, FirstStart.addSecs(60));
        const QString archived = recordingPath(folder, FirstStart.addDays(-10));
        QCOMPARE(QFileInfo(oldest).fileName(), QStringLiteral("Jan Kowalski_02-01-23 08-00-00_00-00-30.ogg"));
        QVERIFY(touch(oldest) && touch(next) && touch(archived));

        HistoryRegister history(test.history());
        const HistoryRecordingFiles files(folder, nameForNumber);
        HistoryTrimmer trimmer(test.history(), files);
        QVERIFY(history.addEntry(callEntry(2, QStringLiteral("602"), FirstStart.addDays(3), 10)) > 0);
        QCOMPARE(trimmer.trim(1000, false), 1);

        QVERIFY(!QFile::exists(oldest));
        QVERIFY(QFile::exists(next));
        QVERIFY(QFile::exists(archived));
        HistoryReader reader(test.history());
        QCOMPARE(reader.countNotArchived(), 1000);
        QCOMPARE(reader.countAll(), 1005);
        QCOMPARE(test.scalar(QStringLiteral("SELECT MIN(ID_Historia) FROM History2 WHERE Archiwum_Historia = FALSE")),
                 7);
        QCOMPARE(trimmer.trim(1000, false), 0);
        QVERIFY(test.errors.isEmpty());
    }

    void deleteAllKeepsEveryArchivedEntryAndTheReservedRow()
    {
        HistoryTestDatabase test;
        const QString folder = test.folder();
        QVERIFY(seed(test, 2, FirstStart, true, false));
        QVERIFY(seed(test, 2, FirstStart.addDays(1), true, true));
        QVERIFY(seed(test, 3, FirstStart.addDays(2), false, true));
        const QString archivedRecording = recordingPath(folder, FirstStart.addDays(1));
        const QString plainRecording = recordingPath(folder, FirstStart.addDays(2));
        QVERIFY(touch(archivedRecording) && touch(plainRecording));
        HistoryRegister history(test.history());
        const int reserved = history.reserveEntry();

        const HistoryRecordingFiles files(folder, nameForNumber);
        QCOMPARE(HistoryTrimmer(test.history(), files).trim(0, true), 3);
        QVERIFY(QFile::exists(archivedRecording));
        QVERIFY(!QFile::exists(plainRecording));
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE Archiwum_Historia = TRUE")), 4);
        QCOMPARE(HistoryReader(test.history()).countAll(), 5);
        QVERIFY(HistoryReader(test.history()).entry(reserved)->reserved);
    }

    void removingChosenEntriesSparesArchivedAndReservedOnes()
    {
        HistoryTestDatabase test;
        const QString folder = test.folder();
        QVERIFY(seed(test, 1, FirstStart, true, false));
        QVERIFY(seed(test, 2, FirstStart.addDays(1), false, true));
        const QString recording = recordingPath(folder, FirstStart.addDays(1));
        QVERIFY(touch(recording));
        const int reserved = HistoryRegister(test.history()).reserveEntry();
        const HistoryRecordingFiles files(folder, nameForNumber);
        HistoryTrimmer trimmer(test.history(), files);
        QCOMPARE(trimmer.remove({1, 2, reserved, 999}), 1);
        QVERIFY(!QFile::exists(recording));
        QCOMPARE(HistoryReader(test.history()).countAll(), 3);
        QCOMPARE(trimmer.remove({}), 0);
    }

    void theExchangesRecordingIsFoundByItsIdentifier()
    {
        HistoryTestDatabase test;
        HistoryEntry entry = callEntry(2, QStringLiteral("601"), FirstStart, 30);
        entry.recordingId = QStringLiteral("A1B2C3D");
        const HistoryRecordingFiles files(test.folder(), nameForNumber);
        QCOMPARE(files.fileName(entry), QStringLiteral("A1B2C3D Jan Kowalski_02-01-23 08-00-00.wav"));
        QVERIFY(touch(files.path(entry)));
        QVERIFY(files.remove(entry));
        QVERIFY(!QFile::exists(files.path(entry)));
    }

    void aLinkedRecordingIsUnlinkedWithoutTouchingWhatItPointsTo()
    {
        HistoryTestDatabase test;
        QTemporaryDir outside;
        const QString target = outside.filePath(QStringLiteral("keep.ogg"));
        QVERIFY(touch(target));
        const QString recordings = QDir(test.folder()).filePath(QStringLiteral("VoiceNotes"));
        QVERIFY(QDir().mkpath(recordings));
        const QString link = recordingPath(recordings, FirstStart);
        QVERIFY(QFile::link(target, link));
        QVERIFY(seed(test, 2, FirstStart, false, true));

        const HistoryRecordingFiles files(recordings, nameForNumber);
        QCOMPARE(HistoryTrimmer(test.history(), files).trim(1, false), 1);
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(QFile::exists(target));
    }

    void aFailedDeletionKeepsTheRecordingFiles()
    {
        HistoryTestDatabase test;
        const QString folder = test.folder();
        QVERIFY(seed(test, 3, FirstStart, false, true));
        const QString oldest = recordingPath(folder, FirstStart);
        QVERIFY(touch(oldest));
        // Another client holding the shared history, as the engine reports it to the deletion.
        QSqlQuery refuse(test.database());
        QVERIFY(refuse.exec(QStringLiteral("CREATE TRIGGER busy BEFORE DELETE ON History2 "
                                           "BEGIN SELECT RAISE(ABORT, 'database is locked'); END")));

        const HistoryRecordingFiles files(folder, nameForNumber);
        HistoryTrimmer trimmer(test.history(), files);
        QCOMPARE(trimmer.trim(2, false), -1);
        QCOMPARE(test.errors.size(), 1);
        QCOMPARE(HistoryReader(test.history()).countAll(), 3);
        QVERIFY(QFile::exists(oldest));

        QVERIFY(refuse.exec(QStringLiteral("DROP TRIGGER busy")));
        QCOMPARE(trimmer.trim(2, false), 1);
        QVERIFY(!QFile::exists(oldest));
    }

    void recordingNamesNeedAnEndAndNameUnknownParties()
    {
        const HistoryRecordingFiles files(QStringLiteral("/tmp"), nameForNumber);
        HistoryEntry entry = callEntry(1, QStringLiteral("777"), FirstStart, 3725);
        QCOMPARE(files.fileName(entry), QStringLiteral("unknown call_02-01-23 08-00-00_01-02-05.ogg"));
        entry.endDate = {};
        entry.endTime = {};
        QVERIFY(files.fileName(entry).isEmpty());
        QVERIFY(!files.remove(entry));
    }
};

QTEST_GUILESS_MAIN(TestHistoryTrimmer)
#include "TestHistoryTrimmer.moc"
