#include "BothEngines.h"
#include "OpenedDatabases.h"
#include "books/contacts/ContactGroups.h"
#include "books/contacts/NumberList.h"
#include "books/contacts/NumberPages.h"
#include "books/ui/BookGridModel.h"
#include "books/ui/NumberListModel.h"

#include <QApplication>
#include <QTest>

using namespace Qt::StringLiterals;

// The book window's paged grids read the same rows in the same order on an SQLite file and on a PostgreSQL server,
// and read only the pages that are shown.
class TestBookPagesOnBothEngines final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_engines.start(), qPrintable(m_engines.error())); }
    void cleanupTestCase() { m_engines.stop(); }

    void theGridsPageThroughALargeBook_data() { BothEngines::addRows(); }
    void theGridsPageThroughALargeBook()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook book(location);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        QSqlDatabase database = book.database();
        RecordedMessages messages;
        const int zeta = *ContactGroups(database, messages).add(u"Zeta"_s);
        const int alpha = *ContactGroups(database, messages).add(u"Alpha"_s);
        constexpr int Contacts = 1200;
        QVERIFY(database.transaction());
        for (int i = 0; i < Contacts; ++i) {
            const int group = i % 3 == 0 ? zeta : i % 3 == 1 ? alpha : 0;
            // Names out of insertion order, numbers in two positions.
            const int mixed = (i * 7919) % Contacts;
            QVERIFY(
                insertContact(database, u"Name %1"_s.arg(mixed, 5, 10, QChar(u'0')),
                              {u"4%1"_s.arg(mixed, 5, 10, QChar(u'0')), QString(), u"9%1"_s.arg(i, 5, 10, QChar(u'0'))},
                              group) > 0);
        }
        QVERIFY(database.commit());

        BookGridModel grid;
        grid.setDatabase(database);
        QCOMPARE(grid.rowCount(), Contacts + 3);
        // Groups by name ("Others" is group 0), each group's contacts by name.
        QCOMPARE(grid.data(grid.index(0, 0)).toString(), u"[-] Alpha"_s);
        QCOMPARE(grid.data(grid.index(Contacts / 3 + 1, 0)).toString(), u"[-] Others"_s);
        QCOMPARE(grid.data(grid.index(2 * Contacts / 3 + 2, 0)).toString(), u"[-] Zeta"_s);
        QString previous;
        for (int row = 1; row <= Contacts / 3; ++row) {
            const QString name = grid.data(grid.index(row, 0)).toString();
            QVERIFY2(name > previous, qPrintable(name));
            previous = name;
        }
        // Only the pages shown were read: a page is read once, whichever of its rows is asked first.
        QCOMPARE(grid.pages()->reads(), (Contacts / 3) / ContactPages::PageSize + 1);
        grid.data(grid.index(Contacts, 1));
        QCOMPARE(grid.pages()->reads(), 6);
        grid.data(grid.index(Contacts + 2, 1));
        QCOMPARE(grid.pages()->reads(), 6);
        grid.data(grid.index(Contacts - 1, 2));
        QCOMPARE(grid.pages()->reads(), 7);
        QCOMPARE(grid.contact(1)->groupId, alpha);

        // The number view merges the positions in number order, page by page, as the flat list orders them.
        QStringList expected;
        QSqlQuery all = NumberList::query(database);
        while (all.next()) {
            expected.append(all.value(2).toString());
        }
        QCOMPARE(expected.size(), 2 * Contacts);
        NumberListModel numbers;
        numbers.setDatabase(database);
        while (numbers.canFetchMore({})) {
            numbers.fetchMore({});
        }
        QStringList paged;
        for (int row = 0; row < numbers.rowCount(); ++row) {
            paged.append(numbers.entry(row)->number);
        }
        QCOMPARE(paged, expected);
        numbers.setSearch(u"4001"_s);
        QCOMPARE(numbers.rowCount(), 100);
        QCOMPARE(numbers.entry(0)->number, u"400100"_s);
        QCOMPARE(numbers.entry(0)->name, u"Name 00100"_s);
    }

private:
    BothEngines m_engines;
};

QTEST_MAIN(TestBookPagesOnBothEngines)
#include "TestBookPagesOnBothEngines.moc"
