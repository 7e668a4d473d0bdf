#include "HistoryTestDatabase.h"
#include "books/history/HistoryMarks.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistorySideTables.h"

#include <QTest>

// Writing, updating and reading call-history entries and their side tables on a real SQLite file.
class TestHistoryRegister final : public QObject {
    Q_OBJECT

private:
    const QDateTime m_start{QDate(2024, 3, 5), QTime(14, 7, 9)};

private slots:
    void unknownPartyIsStoredAsUnknown_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("underscore") << QStringLiteral("_");
        QTest::newRow("zero") << QStringLiteral("0");
    }

    void unknownPartyIsStoredAsUnknown()
    {
        QFETCH(QString, number);
        HistoryTestDatabase test;
        QVERIFY(test.isReady());
        HistoryRegister history(test.history());
        const int id = history.addEntry(callEntry(2, number, m_start, 60));
        QVERIFY(id > 0);
        QCOMPARE(HistoryReader(test.history()).entry(id)->number, QStringLiteral("Unknown"));
    }

    void entryWithoutKindOrNumberIsNotWritten()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        QCOMPARE(history.addEntry(callEntry(-1, QStringLiteral("601"), m_start, 60)), -1);
        QCOMPARE(history.addEntry(callEntry(2, QString(), m_start, 60)), -1);
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM History2")), 0);
        QVERIFY(test.errors.isEmpty());
    }

    void entryReadsBackAsWrittenWithBoldForMissedCalls()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryReader reader(test.history());
        HistoryEntry missed = callEntry(1, QStringLiteral("601"), m_start, 0);
        missed.endDate = {};
        missed.endTime = {};
        missed.callerNameId = 3;
        const int missedId = history.addEntry(missed);
        const int answeredId = history.addEntry(callEntry(2, QStringLiteral("0601234567"), m_start.addSecs(30), 95));

        const HistoryEntry read = *reader.entry(missedId);
        QCOMPARE(read.start(), m_start);
        QVERIFY(read.endDate.isNull() && read.endTime.isNull());
        QCOMPARE(read.callerNameId, 3);
        QVERIFY(read.bold);
        QVERIFY(!read.archived && !read.reserved && !read.hasRecording);
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE Data2_Historia IS NULL")), 1);

        const HistoryEntry answered = *reader.entry(answeredId);
        QVERIFY(!answered.bold);
        QCOMPARE(answered.end(), m_start.addSecs(125));
        QCOMPARE(reader.countAll(), 2);
        QVERIFY(test.errors.isEmpty());
    }

    void sameCallAgainUpdatesItsEntryAndKeepsTheRecordingFlag()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryEntry recorded = callEntry(2, QStringLiteral("601"), m_start, 60);
        recorded.hasRecording = true;
        const int id = history.addEntry(recorded);
        HistoryEntry again = recorded;
        again.hasRecording = false;
        QCOMPARE(history.addEntry(again), id);
        QVERIFY(HistoryReader(test.history()).entry(id)->hasRecording);
        // A call that differs in its end only is another entry.
        QVERIFY(history.addEntry(callEntry(2, QStringLiteral("601"), m_start, 61)) != id);
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM History2")), 2);
    }

    void smsOrderMovesFromStateToStateInOneEntry()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryEntry sent = callEntry(4, QStringLiteral("48600100200"), m_start, 0);
        sent.orderNumber = 77;
        const int id = history.addEntry(sent);
        QCOMPARE(history.addEntry(sent), id);
        QVERIFY(HistoryMarks(test.history()).setSmsState(77, 6));
        QCOMPARE(HistoryReader(test.history()).entry(id)->kind, 6);
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM History2")), 1);
    }

    void reservedRowIsFilledByTheNextCallOnly()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryReader reader(test.history());
        const int reserved = history.reserveEntry();
        QVERIFY(reserved > 0);
        QCOMPARE(history.reserveEntry(), reserved);
        QVERIFY(reader.entry(reserved)->reserved);

        // The recorder refers to the reserved row before the call ends; the flag survives the fill.
        QVERIFY(history.setRecording(reserved, QStringLiteral("REC0001xyz")));
        QVERIFY(history.addEntry(callEntry(4, QStringLiteral("601"), m_start, 0)) != reserved);
        QCOMPARE(history.addEntry(callEntry(3, QStringLiteral("601"), m_start, 40)), reserved);
        const HistoryEntry filled = *reader.entry(reserved);
        QVERIFY(!filled.reserved);
        QVERIFY(filled.hasRecording);
        QCOMPARE(filled.kind, 3);
        QCOMPARE(reader.recordingOfEntry(reserved), QStringLiteral("REC0001"));
        QCOMPARE(reader.entryForRecording(QStringLiteral("REC0001")), reserved);
        QCOMPARE(reader.entryForRecording(QStringLiteral("NONE")), -1);
        QVERIFY(history.reserveEntry() > reserved);
    }

    void sideTablesHoldEachTextOnceAndDropUnusedRows()
    {
        HistoryTestDatabase test;
        HistorySideTables tables(test.history());
        using Table = HistorySideTables::Table;
        const int text = tables.store(Table::SmsTexts, QStringLiteral("Zażółć gęślą jaźń"));
        QVERIFY(text > 0);
        QCOMPARE(tables.store(Table::SmsTexts, QStringLiteral("Zażółć gęślą jaźń")), text);
        QCOMPARE(tables.text(Table::SmsTexts, text), QStringLiteral("Zażółć gęślą jaźń"));
        QCOMPARE(tables.store(Table::CallerNames, QString()), 0);
        const int name = tables.store(Table::CallerNames, QString(40, u'n'));
        QCOMPARE(tables.text(Table::CallerNames, name), QString(30, u'n'));
        QCOMPARE(tables.store(Table::CallerNames, QString(30, u'n')), name);
        const int called = tables.store(Table::CalledNumbers, QStringLiteral("600"));

        HistoryEntry sms = callEntry(4, QStringLiteral("601"), m_start, 0);
        sms.smsTextId = text;
        QVERIFY(HistoryRegister(test.history()).addEntry(sms) > 0);
        QVERIFY(!tables.deleteWhenUnused(Table::SmsTexts, text));
        QCOMPARE(tables.text(Table::SmsTexts, text), QStringLiteral("Zażółć gęślą jaźń"));
        QVERIFY(tables.deleteWhenUnused(Table::CallerNames, name));
        QCOMPARE(tables.text(Table::CallerNames, name), QString());
        QVERIFY(!tables.deleteWhenUnused(Table::CalledNumbers, 0));

        QVERIFY(tables.clearAll());
        QCOMPARE(tables.text(Table::CalledNumbers, called), QString());
        QCOMPARE(tables.text(Table::SmsTexts, 0), QStringLiteral(" "));
        QCOMPARE(test.scalar(QStringLiteral("SELECT COUNT(*) FROM Komentarz")), 1);
        QVERIFY(test.errors.isEmpty());
    }

    void marksChangeOnlyTheirEntries()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryMarks marks(test.history());
        HistoryReader reader(test.history());
        HistoryEntry sms = callEntry(8, QStringLiteral("601"), m_start, 0);
        sms.smsTextId = 1;
        const int smsId = history.addEntry(sms);
        const int missed = history.addEntry(callEntry(1, QStringLiteral("601"), m_start, 0));
        const int other = history.addEntry(callEntry(1, QStringLiteral("602"), m_start, 0));

        QVERIFY(marks.markSmsRead(QStringLiteral("601")));
        QVERIFY(!reader.entry(smsId)->bold);
        QVERIFY(reader.entry(missed)->bold);
        QVERIFY(marks.markSeen(missed));
        QVERIFY(!reader.entry(missed)->bold && reader.entry(other)->bold);
        QVERIFY(marks.markAllSeen());
        QVERIFY(!reader.entry(other)->bold);
        QCOMPARE(reader.entry(other)->missed, 1);
        QCOMPARE(reader.entry(missed)->missed, 0);

        QVERIFY(marks.toggleArchived(other));
        QVERIFY(marks.toggleHasRecording(other));
        QCOMPARE(reader.countNotArchived(), 2);
        QVERIFY(reader.entry(other)->archived && reader.entry(other)->hasRecording);
        QVERIFY(marks.toggleArchived(other));
        QCOMPARE(reader.countNotArchived(), 3);
    }

    void entriesOfAContactAreNewestFirstAndNumbersAreOnlyBound()
    {
        HistoryTestDatabase test;
        HistoryRegister history(test.history());
        HistoryReader reader(test.history());
        const int older = history.addEntry(callEntry(2, QStringLiteral("601"), m_start, 10));
        HistoryEntry sms = callEntry(4, QStringLiteral("0601234567"), m_start.addDays(1), 0);
        sms.smsTextId = 1;
        const int newer = history.addEntry(sms);
        history.addEntry(callEntry(2, QStringLiteral("602"), m_start.addDays(2), 10));

        using Which = HistoryReader::ContactEntries;
        const QStringList numbers{QStringLiteral("601"), QStringLiteral("0601234567")};
        const QList<HistoryEntry> all = reader.entriesOfNumbers(numbers, Which::All);
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].id, newer);
        QCOMPARE(all[1].id, older);
        QCOMPARE(reader.entriesOfNumbers(numbers, Which::SmsOnly).size(), 1);
        QVERIFY(reader.entriesOfNumbers({}, Which::All).isEmpty());
        QVERIFY(reader.entriesOfNumbers({QStringLiteral("601') OR ('1'='1")}, Which::All).isEmpty());
        QVERIFY(test.errors.isEmpty());
    }

    void databaseFailureIsReported()
    {
        HistoryTestDatabase test;
        QVERIFY(QSqlQuery(test.database()).exec(QStringLiteral("DROP TABLE History2")));
        QCOMPARE(HistoryRegister(test.history()).addEntry(callEntry(2, QStringLiteral("601"), m_start, 1)), -1);
        QCOMPARE(HistoryReader(test.history()).countAll(), -1);
        QCOMPARE(test.errors.size(), 2);
        QVERIFY(test.errors[0].startsWith(QStringLiteral("Error of history service")));
    }
};

QTEST_GUILESS_MAIN(TestHistoryRegister)
#include "TestHistoryRegister.moc"
