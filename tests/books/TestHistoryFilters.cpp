#include "HistoryTestDatabase.h"
#include "books/history/HistoryPages.h"
#include "books/history/HistoryRegister.h"
#include "books/history/HistorySelection.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The history window's filters as the condition the rows are read with.
class TestHistoryFilters final : public QObject {
    Q_OBJECT

private:
    const QDate m_today{2024, 3, 15};
    const QString m_unknown = u"Nieznany"_s;

    // Whether the only entry of a new history passes.
    bool passes(HistoryFilters::Choice choice, const HistoryEntry& entry) const
    {
        HistoryTestDatabase test;
        const int id = HistoryRegister(test.history()).addEntry(entry);
        if (id < 0) {
            return false;
        }
        HistorySelection selection;
        selection.filters = choice;
        return HistoryPages(test.history()).row(selection.condition(m_today, m_unknown), id).has_value();
    }

    static HistoryEntry entry(int kind, const QString& number, const QDate& start)
    {
        return callEntry(kind, number, QDateTime(start, QTime(23, 59)), 0);
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
        QTest::newRow("month, clock put back") << 5 << -2 << true;
        QTest::newRow("all") << 0 << 4000 << true;
    }

    void dateFilterCountsWholeDays()
    {
        QFETCH(int, filter);
        QFETCH(int, daysAgo);
        QFETCH(bool, passes);
        HistoryFilters::Choice choice;
        choice.date = filter;
        QCOMPARE(this->passes(choice, entry(2, u"601"_s, m_today.addDays(-daysAgo))), passes);
    }

    void kindListNamesTheKindItSelects()
    {
        // "incoming missed" selects the missed incoming call (kind 1), "outgoing missed" the unanswered outgoing one.
        const std::pair<int, int> expected[] = {
            {HistoryFilters::IncomingMissed, 1}, {HistoryFilters::OutgoingMissed, 0},
            {HistoryFilters::Incoming, 2},       {HistoryFilters::Outgoing, 3},
            {HistoryFilters::Sent, 4},           {HistoryFilters::TakenBack, 8},
            {HistoryFilters::AnyKind, -1},       {42, -1}};
        for (const auto& [filter, kind] : expected) {
            QCOMPARE(HistoryFilters::kindOf(filter), kind);
        }
        HistoryFilters::Choice choice;
        choice.kind = HistoryFilters::IncomingMissed;
        QVERIFY(passes(choice, entry(1, u"601"_s, m_today)));
        QVERIFY(!passes(choice, entry(0, u"601"_s, m_today)));
    }

    void numberFilterSplitsAtSixCharacters_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("extension");
        QTest::addColumn<bool>("external");
        QTest::newRow("five") << u"12345"_s << true << false;
        QTest::newRow("six") << u"123456"_s << true << true;
        QTest::newRow("seven") << u"1234567"_s << false << true;
        QTest::newRow("unknown") << u"Nieznany"_s << false << false;
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

    void reservedRowNeverPasses()
    {
        HistoryTestDatabase test;
        const int reserved = HistoryRegister(test.history()).reserveEntry();
        QVERIFY(reserved > 0);
        QVERIFY(!HistoryPages(test.history()).row(HistorySelection{}.condition(m_today, m_unknown), reserved));
    }

    void numberSearchTakesOnlyDigitsAndPlus()
    {
        QVERIFY(HistorySelection::numberHolds(u"9/601222333"_s, u"1222"_s));
        QVERIFY(HistorySelection::numberHolds(u"0048601"_s, u"+48"_s));
        QVERIFY(!HistorySelection::numberHolds(u"48601"_s, u"+48"_s));
        QVERIFY(HistorySelection::isValidNumberText(u"+48601"_s));
        QVERIFY(HistorySelection::isValidNumberText(QString()));
        QVERIFY(!HistorySelection::isValidNumberText(u"601-222"_s));
        QVERIFY(!HistorySelection::isValidNumberText(u"%"_s));
    }
};

QTEST_GUILESS_MAIN(TestHistoryFilters)
#include "TestHistoryFilters.moc"
