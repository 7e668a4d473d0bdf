#include "books/history/HistoryFilters.h"

#include <QTest>

// The history window's filters over single entries.
class TestHistoryFilters final : public QObject {
    Q_OBJECT

private:
    const QDate m_today{2024, 3, 15};
    const QString m_unknown = QStringLiteral("Nieznany");

    static HistoryEntry entry(int kind, const QString& number, const QDate& start)
    {
        HistoryEntry entry;
        entry.kind = kind;
        entry.number = number;
        entry.startDate = start;
        entry.startTime = QTime(23, 59);
        return entry;
    }

    bool passes(HistoryFilters::Choice choice, const HistoryEntry& e) const
    {
        return HistoryFilters(choice, m_unknown).passes(e, m_today);
    }

private slots:
    void dateFilterCountsWholeDays_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("daysAgo");
        QTest::addColumn<bool>("passes");
        QTest::newRow("today today") << 1 << 0 << true;
        QTest::newRow("today yesterday") << 1 << 1 << false;
        QTest::newRow("from yesterday") << 2 << 1 << true;
        QTest::newRow("from yesterday 2") << 2 << 2 << false;
        QTest::newRow("week 7") << 3 << 7 << true;
        QTest::newRow("week 8") << 3 << 8 << false;
        QTest::newRow("two weeks 14") << 4 << 14 << true;
        QTest::newRow("two weeks 15") << 4 << 15 << false;
        QTest::newRow("month 30") << 5 << 30 << true;
        QTest::newRow("month 31") << 5 << 31 << false;
        QTest::newRow("all") << 0 << 4000 << true;
    }

    void dateFilterCountsWholeDays()
    {
        QFETCH(int, filter);
        QFETCH(int, daysAgo);
        QFETCH(bool, passes);
        HistoryFilters::Choice choice;
        choice.date = filter;
        QCOMPARE(this->passes(choice, entry(2, QStringLiteral("601"), m_today.addDays(-daysAgo))), passes);
    }

    void kindFilterPassesTheKindBeforeItsIndex()
    {
        HistoryFilters::Choice choice;
        choice.kind = 2;
        QVERIFY(passes(choice, entry(1, QStringLiteral("601"), m_today)));
        QVERIFY(!passes(choice, entry(2, QStringLiteral("601"), m_today)));
        choice.kind = 9;
        QVERIFY(passes(choice, entry(8, QStringLiteral("601"), m_today)));
        choice.kind = 0;
        QVERIFY(passes(choice, entry(5, QStringLiteral("601"), m_today)));
    }

    void numberFilterSplitsAtSixCharacters_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("extension");
        QTest::addColumn<bool>("external");
        QTest::newRow("five") << QStringLiteral("12345") << true << false;
        QTest::newRow("six") << QStringLiteral("123456") << true << true;
        QTest::newRow("seven") << QStringLiteral("1234567") << false << true;
        QTest::newRow("unknown") << QStringLiteral("Nieznany") << false << false;
    }

    void numberFilterSplitsAtSixCharacters()
    {
        QFETCH(QString, number);
        QFETCH(bool, extension);
        QFETCH(bool, external);
        HistoryFilters::Choice choice;
        choice.number = HistoryFilters::Extension;
        QCOMPARE(passes(choice, entry(2, number, m_today)), extension);
        choice.number = HistoryFilters::External;
        QCOMPARE(passes(choice, entry(2, number, m_today)), external);
    }

    void conversationFilterLooksAtRecordingArchiveAndText()
    {
        HistoryEntry plain = entry(2, QStringLiteral("601"), m_today);
        HistoryEntry recorded = plain;
        recorded.hasRecording = true;
        HistoryEntry archivedSms = entry(6, QStringLiteral("601"), m_today);
        archivedSms.archived = true;
        archivedSms.smsTextId = 4;
        HistoryFilters::Choice choice;
        const auto check = [&](int filter, bool plainPasses, bool recordedPasses, bool smsPasses) {
            choice.conversation = filter;
            return passes(choice, plain) == plainPasses && passes(choice, recorded) == recordedPasses &&
                   passes(choice, archivedSms) == smsPasses;
        };
        QVERIFY(check(HistoryFilters::WithoutRecording, true, false, true));
        QVERIFY(check(HistoryFilters::WithRecording, false, true, false));
        QVERIFY(check(HistoryFilters::ArchivedOnly, false, false, true));
        QVERIFY(check(HistoryFilters::SmsOnly, false, false, true));
    }

    void reservedRowNeverPasses()
    {
        HistoryEntry reserved = entry(2, QStringLiteral("601"), m_today);
        reserved.reserved = true;
        QVERIFY(!passes({}, reserved));
        QVERIFY(passes({}, entry(2, QStringLiteral("601"), m_today)));
    }
};

QTEST_GUILESS_MAIN(TestHistoryFilters)
#include "TestHistoryFilters.moc"
