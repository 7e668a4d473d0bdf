#include "BothEngines.h"
#include "HistoryTestDatabase.h"
#include "OpenedDatabases.h"
#include "books/history/HistoryMarks.h"
#include "books/history/HistoryPages.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRecordingFiles.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistorySelection.h"
#include "books/history/HistorySideTables.h"
#include "books/history/HistoryTrimmer.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QDateTime Start{QDate(2024, 3, 5), QTime(14, 7, 9)};

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("OggS") == 4;
}

// Statements that make every deletion from History2 fail, as a busy shared history does; and, on PostgreSQL, a
// check that fails only when the transaction commits.
QStringList refuseDeletions(const QString& engine)
{
    if (engine == BothEngines::sqlite()) {
        return {
            u"CREATE TRIGGER busy BEFORE DELETE ON History2 BEGIN SELECT RAISE(ABORT, 'database is locked'); END"_s};
    }
    return {u"CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
            "$$BEGIN RAISE EXCEPTION 'could not serialize access'; END$$"_s,
            u"CREATE TRIGGER busy BEFORE DELETE ON History2 FOR EACH ROW EXECUTE FUNCTION refuse()"_s};
}

QStringList refuseCommits()
{
    return {u"CREATE CONSTRAINT TRIGGER busy_at_commit AFTER DELETE ON History2 DEFERRABLE INITIALLY DEFERRED "
            "FOR EACH ROW EXECUTE FUNCTION refuse()"_s};
}

bool run(QSqlDatabase database, const QStringList& statements)
{
    QSqlQuery query(database);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            qWarning() << query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

// The call history's work on SQLite files and on a PostgreSQL server alike.
class TestHistoryOnBothEngines final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_engines.start(), qPrintable(m_engines.error())); }
    void cleanupTestCase() { m_engines.stop(); }

    void entriesAreAddedReservedAndUpdated_data() { BothEngines::addRows(); }
    void entriesAreAddedReservedAndUpdated()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedHistory test(location);
        QVERIFY2(test.ok(), qPrintable(test.outcome.error));
        HistoryRegister history(*test.history);
        HistoryReader reader(*test.history);
        QCOMPARE(history.addEntry(callEntry(-1, u"601"_s, Start, 60)), -1);
        QCOMPARE(history.addEntry(callEntry(2, QString(), Start, 60)), -1);

        HistoryEntry missed = callEntry(1, u"_"_s, Start, 0);
        missed.endDate = {};
        missed.endTime = {};
        missed.callerNameId = HistorySideTables(*test.history).store(HistorySideTables::Table::CallerNames, u"Jan"_s);
        const int missedId = history.addEntry(missed);
        QVERIFY(missedId > 0);
        const HistoryEntry read = *reader.entry(missedId);
        QCOMPARE(read.number, u"Unknown"_s);
        QCOMPARE(read.start(), Start);
        QVERIFY(read.endDate.isNull() && read.endTime.isNull());
        QVERIFY(read.bold);
        QCOMPARE(read.callerNameId, missed.callerNameId);

        // The reserved row takes the next call; the same call again updates it and keeps its recording flag.
        const int reserved = history.reserveEntry();
        QCOMPARE(history.reserveEntry(), reserved);
        HistoryEntry answered = callEntry(2, u"0601234567"_s, Start.addSecs(60), 95);
        answered.hasRecording = true;
        QCOMPARE(history.addEntry(answered), reserved);
        answered.hasRecording = false;
        QCOMPARE(history.addEntry(answered), reserved);
        QVERIFY(reader.entry(reserved)->hasRecording && !reader.entry(reserved)->bold);
        QVERIFY(history.setRecording(reserved, u"REC00012345"_s));
        QCOMPARE(reader.entryForRecording(u"REC0001"_s), reserved);

        // One SMS order moves from state to state in one entry.
        HistoryEntry sms = callEntry(4, u"601"_s, Start.addSecs(120), 0);
        sms.orderNumber = 77;
        sms.smsTextId = HistorySideTables(*test.history).store(HistorySideTables::Table::SmsTexts, u"Zażółć"_s);
        const int smsId = history.addEntry(sms);
        QVERIFY(HistoryMarks(*test.history).setSmsState(77, 6));
        QCOMPARE(reader.entry(smsId)->kind, 6);
        // Calls carry order 0 and received messages their reference + 256: a report never turns them into sent SMS.
        QVERIFY(HistoryMarks(*test.history).setSmsState(0, 7));
        QCOMPARE(reader.entry(reserved)->kind, 2);
        HistoryEntry received = callEntry(8, u"602"_s, Start.addSecs(180), 0);
        received.orderNumber = 300;
        const int receivedId = history.addEntry(received);
        QVERIFY(HistoryMarks(*test.history).setSmsState(300, 6));
        QCOMPARE(reader.entry(receivedId)->kind, 8);
        QCOMPARE(reader.countAll(), 4);
        QVERIFY2(test.errors.isEmpty(), qPrintable(test.errors.join(u'\n')));
    }

    void anOverlongNumberIsCutTheSameWay_data() { BothEngines::addRows(); }
    void anOverlongNumberIsCutTheSameWay()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedHistory test(location);
        QVERIFY2(test.ok(), qPrintable(test.outcome.error));
        HistoryRegister history(*test.history);
        const QString number = u"0048"_s + QString(30, u'7');
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^A number of 34 characters"_s));
        const int id = history.addEntry(callEntry(2, number, Start, 10));
        QVERIFY2(id > 0, qPrintable(test.errors.join(u'\n')));
        QCOMPARE(HistoryReader(*test.history).entry(id)->number, number.left(26));
        // The same call again finds its cut entry.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^A number of 34 characters"_s));
        QCOMPARE(history.addEntry(callEntry(2, number, Start, 10)), id);
    }

    void marksSideTablesAndFiltersWorkOnStoredEntries_data() { BothEngines::addRows(); }
    void marksSideTablesAndFiltersWorkOnStoredEntries()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedHistory test(location);
        QVERIFY2(test.ok(), qPrintable(test.outcome.error));
        HistoryRegister history(*test.history);
        HistoryMarks marks(*test.history);
        HistoryReader reader(*test.history);
        HistorySideTables tables(*test.history);
        using Table = HistorySideTables::Table;
        const int name = tables.store(Table::CallerNames, QString(40, u'ń'));
        QCOMPARE(tables.text(Table::CallerNames, name), QString(30, u'ń'));
        QCOMPARE(tables.store(Table::CallerNames, QString(30, u'ń')), name);
        const int text = tables.store(Table::SmsTexts, u"tekst"_s);
        HistoryEntry sms = callEntry(8, u"601"_s, Start, 0);
        sms.smsTextId = text;
        const int smsId = history.addEntry(sms);
        const int missed = history.addEntry(callEntry(1, u"601"_s, Start.addDays(-3), 0));
        const int other = history.addEntry(callEntry(1, u"602"_s, Start.addDays(-20), 0));
        QVERIFY(!tables.deleteWhenUnused(Table::SmsTexts, text));
        QVERIFY(tables.deleteWhenUnused(Table::CallerNames, name));

        QVERIFY(marks.markSmsRead(u"601"_s));
        QVERIFY(!reader.entry(smsId)->bold && reader.entry(missed)->bold);
        QVERIFY(marks.markSeen(missed));
        QVERIFY(marks.markAllSeen());
        QCOMPARE(reader.entry(other)->missed, 1);
        QCOMPARE(reader.countUnseenCalls(), 0);
        QVERIFY(marks.toggleArchived(other));
        QVERIFY(marks.toggleHasRecording(other));
        QCOMPARE(reader.countNotArchived(), 2);

        const QList<HistoryEntry> entries =
            reader.entriesOfNumbers({u"601"_s, u"602"_s}, HistoryReader::ContactEntries::All);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.first().id, smsId);
        // The window's selection as SQL, on this engine: the filters and the numbers the searches found.
        const auto count = [&test](HistorySelection selection) {
            return static_cast<int>(
                HistoryPages(*test.history).page(selection.condition(Start.date(), u"Unknown"_s), 0, 100).size());
        };
        QCOMPARE(count({{HistoryFilters::LastWeek, 0, 0, 0}, {}}), 2);
        QCOMPARE(count({{0, HistoryFilters::TakenBack, 0, 0}, {}}), 1);
        QCOMPARE(count({{0, HistoryFilters::IncomingMissed, HistoryFilters::Extension, 0}, {}}), 2);
        QCOMPARE(count({{0, 0, 0, HistoryFilters::ArchivedOnly}, {}}), 1);
        QCOMPARE(count({{0, 0, 0, HistoryFilters::WithRecording}, {}}), 1);
        QCOMPARE(count({{0, 0, 0, HistoryFilters::WithoutRecording}, {}}), 2);
        QCOMPARE(count({{0, 0, 0, HistoryFilters::SmsOnly}, QStringList{u"601"_s, u"602"_s}}), 1);
        QCOMPARE(count({{}, QStringList{u"601"_s}}), 2);
        QCOMPARE(count({{}, QStringList{}}), 0);
        QVERIFY(HistoryMarks(*test.history).setArchived({smsId, missed}, true));
        QVERIFY(HistoryMarks(*test.history).setArchived({other}, false));
        QCOMPARE(count({{0, 0, 0, HistoryFilters::ArchivedOnly}, {}}), 2);
        QVERIFY(tables.clearAll());
        QCOMPARE(tables.text(Table::SmsTexts, text), QString());
        QCOMPARE(reader.entry(smsId)->smsTextId, 0);
        QVERIFY2(test.errors.isEmpty(), qPrintable(test.errors.join(u'\n')));
    }

    void trimAndEmptyingDeleteRecordingsOnlyOnceTheRowsAreGone_data() { BothEngines::addRows(); }
    void trimAndEmptyingDeleteRecordingsOnlyOnceTheRowsAreGone()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedHistory test(location);
        QVERIFY2(test.ok(), qPrintable(test.outcome.error));
        QTemporaryDir recordings;
        const HistoryRecordingFiles files(recordings.path(), [](const QString&) { return u"Jan"_s; });
        HistoryRegister history(*test.history);
        HistoryEntry archived = callEntry(2, u"600"_s, Start.addDays(-1), 5);
        archived.hasRecording = true;
        const int archivedId = history.addEntry(archived);
        QVERIFY(HistoryMarks(*test.history).toggleArchived(archivedId));
        const QString archivedPath = QDir(recordings.path()).filePath(files.fileName(archived));
        QVERIFY(touch(archivedPath));
        QStringList paths;
        for (int call = 0; call < 3; ++call) {
            HistoryEntry entry = callEntry(2, u"601"_s, Start.addSecs(60 * call), 30);
            entry.hasRecording = true;
            QVERIFY(history.addEntry(entry) > 0);
            paths.append(QDir(recordings.path()).filePath(files.fileName(entry)));
            QVERIFY(touch(paths.last()));
        }
        HistoryTrimmer trimmer(*test.history, files);

        QVERIFY(run(test.database(), refuseDeletions(engine)));
        QCOMPARE(trimmer.trim(1, false), -1);
        QVERIFY(QFile::exists(paths[0]) && QFile::exists(paths[1]));
        if (engine == BothEngines::postgres()) {
            QVERIFY(run(test.database(), QStringList{u"DROP TRIGGER busy ON History2"_s} + refuseCommits()));
            QCOMPARE(trimmer.trim(1, false), -1);
            QVERIFY(QFile::exists(paths[0]) && QFile::exists(paths[1]));
            QVERIFY(run(test.database(), {u"DROP TRIGGER busy_at_commit ON History2"_s}));
        } else {
            QVERIFY(run(test.database(), {u"DROP TRIGGER busy"_s}));
        }
        test.errors.clear();

        QCOMPARE(trimmer.trim(1, false), 2);
        QVERIFY(!QFile::exists(paths[0]) && !QFile::exists(paths[1]) && QFile::exists(paths[2]));
        QCOMPARE(HistoryReader(*test.history).countAll(), 2);
        QVERIFY(HistoryReader(*test.history).entry(archivedId).has_value());
        QVERIFY(QFile::exists(archivedPath));

        // Emptying the history with its archive takes the archived entry and its recording too, but not the row of
        // a call in progress.
        const int inProgress = history.reserveEntry();
        QCOMPARE(trimmer.removeAll(), 2);
        QVERIFY(!QFile::exists(archivedPath) && !QFile::exists(paths[2]));
        QCOMPARE(HistoryReader(*test.history).countAll(), 1);
        QVERIFY(HistoryReader(*test.history).entry(inProgress).has_value());
        QVERIFY2(test.errors.isEmpty(), qPrintable(test.errors.join(u'\n')));
    }

private:
    BothEngines m_engines;
};

QTEST_GUILESS_MAIN(TestHistoryOnBothEngines)
#include "TestHistoryOnBothEngines.moc"
