#include "ContactRows.h"
#include "books/contacts/BookGridLayout.h"
#include "books/contacts/ContactConflict.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Field = ContactConflict::Field;

// The merge of a refused save and the rows of the book window's name grid, without a database.
class TestContactConflict final : public QObject {
    Q_OBJECT

private slots:
    void onlyFieldsBothUsersChangedNeedAChoice()
    {
        Contact original = contactNamed(u"Jan"_s, {u"100"_s, u"200"_s, u"300"_s});
        original.id = 7;
        original.notes = u"old"_s;
        original.opis = u"desk 1"_s;
        Contact mine = original;
        mine.nazwa = u"Jan Nowak"_s; // both changed: a choice
        mine.numbers[1] = u"222"_s;  // only mine
        mine.numbers[2] = u"333"_s;  // both changed to the same: nothing to choose
        mine.opis = u"desk 2"_s;     // both changed, no button: mine stays
        Contact theirs = original;
        theirs.nazwa = u"Jan Kowalski"_s;
        theirs.numbers[0] = u"101"_s; // only theirs
        theirs.numbers[2] = u"333"_s;
        theirs.notes = u"theirs"_s; // only theirs, no button
        theirs.opis = u"desk 3"_s;

        ContactConflict conflict(mine, original, theirs);
        QCOMPARE(conflict.differences().size(), 1);
        QCOMPARE(conflict.differences().first().field, Field::Name);
        QCOMPARE(conflict.differences().first().theirs, u"Jan Kowalski"_s);
        QCOMPARE(conflict.differences().first().mine, u"Jan Nowak"_s);
        const Contact& merged = conflict.merged();
        QCOMPARE(merged.numbers[0], u"101"_s);
        QCOMPARE(merged.numbers[1], u"222"_s);
        QCOMPARE(merged.numbers[2], u"333"_s);
        QCOMPARE(merged.notes, u"theirs"_s);
        QCOMPARE(merged.opis, u"desk 2"_s);
        QCOMPARE(conflict.theirs(), theirs);
        QVERIFY(!conflict.resolved());

        ContactConflict keep = conflict;
        keep.choose(Field::Name, false);
        QVERIFY(keep.resolved());
        QCOMPARE(keep.merged().nazwa, u"Jan Nowak"_s);
        conflict.choose(Field::Name, true);
        QCOMPARE(conflict.merged().nazwa, u"Jan Kowalski"_s);
        // A field without a difference is no choice.
        conflict.choose(Field::Nr4, true);
        QCOMPARE(conflict.merged().numbers[3], QString());
    }

    void theGridShowsGroupsByNameAndHidesEmptyOnesWhileSearching()
    {
        BookGridLayout layout;
        const QList<ContactOrder::Group> groups{{5, u"Ąbc"_s}, {9, u"Friends"_s}, {0, u"Others"_s}};
        // Contact 4 belongs to a group another client removed: shown with group 0.
        layout.setGrouped(groups, {{1, 0}, {2, 0}, {3, 9}, {4, 77}});
        const auto ids = [&layout] {
            QList<int> shown;
            for (const BookGridLayout::Row& row : layout.rows()) {
                shown.append(row.header ? -row.id - 100 : row.id);
            }
            return shown;
        };
        QCOMPARE(ids(), (QList<int>{-105, -109, 3, -100, 1, 2, 4}));
        layout.setFilter({QSet<int>{2, 3}, QString(), false});
        QCOMPARE(ids(), (QList<int>{-109, 3, -100, 2}));
        layout.setGroupOpen(9, false);
        QCOMPARE(ids(), (QList<int>{-109, -100, 2}));
        QCOMPARE(layout.rowOf(9, true), 0);
        QCOMPARE(layout.rowOf(3), -1);
        // The group search folds as the name search does.
        layout.setFilter({std::nullopt, u"abc"_s, true});
        QCOMPARE(ids(), (QList<int>{-105}));
        layout.setFilter({std::nullopt, u"abc"_s, false});
        QCOMPARE(ids(), QList<int>());
        layout.setFilter({});
        layout.setAllGroupsOpen(true);
        layout.setClassic({{2, 0}, {1, 0}});
        QCOMPARE(ids(), (QList<int>{2, 1}));
    }
};

QTEST_MAIN(TestContactConflict)
#include "TestContactConflict.moc"
