#include "PhoneBookFixture.h"
#include "books/contacts/ContactSaver.h"
#include "books/contacts/NumberList.h"
#include "books/contacts/PhoneBook.h"
#include "settings/Const.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The slash rule of lookups, the captions of saving's boxes and the number list, on phone books in SQLite files;
// the rest of the phone books' work runs on both engines in TestBooksOnBothEngines.
class TestPhoneBook final : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_folder.isValid()); }

    void lookupUsesThePartAfterTheLastSlash()
    {
        SqliteBookFile book(m_folder.filePath(u"slash.mdb"_s), u"slash"_s, true);
        QVERIFY2(book.ready(), qPrintable(book.error()));
        const int jan = book.add(u"Jan"_s, {u"600100200"_s});
        PhoneBook phoneBook(book.database());
        QCOMPARE(phoneBook.lookupName(u"0/12/600100200"_s), u"Jan"_s);
        QCOMPARE(phoneBook.currentContactId(), jan);
        QCOMPARE(phoneBook.matchedPosition(), 1);
        QCOMPARE(phoneBook.lookupName(u"/"_s), QString());
        QCOMPARE(phoneBook.findContact(u"600100200/"_s), -1);
        // A failed lookup leaves the current contact alone.
        QCOMPARE(phoneBook.currentContactId(), jan);
        QCOMPARE(phoneBook.lookupName(u"60010020"_s), QString());
    }

    void closedBookAnswersNothing()
    {
        PhoneBook phoneBook{QSqlDatabase()};
        QCOMPARE(phoneBook.lookupName(u"600"_s), QString());
        QCOMPARE(phoneBook.findContact(u"600"_s), -1);
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<int>("defNr");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        const QString title = QLatin1String(Const::ApplicationTitle);
        QTest::newRow("no name") << QString() << QStringList{u"1"_s} << -1 << title << u"No name in a phone book"_s;
        QTest::newRow("no number") << u"Jan"_s << QStringList{} << -1 << QLatin1String(Const::ProductName).toString()
                                   << u"Please choose a default number."_s;
        QTest::newRow("empty default") << u"Jan"_s << QStringList{u"1"_s} << 3 << title
                                       << u"Default number cannot be empty."_s;
        QTest::newRow("digit first") << u"7 Jan"_s << QStringList{u"1"_s} << -1 << title
                                     << u"Name cannot start with a digit"_s;
        QTest::newRow("letters only") << u"Jan"_s << QStringList{u"abc"_s} << -1 << title
                                      << u"No valid number in a phone book"_s;
    }

    void saveChecksInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, numbers);
        QFETCH(int, defNr);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        SqliteBookFile book(m_folder.filePath(u"checks.mdb"_s), u"checks"_s,
                            !QFile::exists(m_folder.filePath(u"checks.mdb"_s)));
        QVERIFY2(book.ready(), qPrintable(book.error()));
        RecordedMessages messages;
        ContactSaver saver(book.database(), {}, messages);
        Contact contact = contactNamed(name, numbers);
        if (defNr >= 0) {
            contact.defNr = defNr;
        }
        QVERIFY(!saver.save(contact, std::nullopt));
        QCOMPARE(messages.warnings.size(), 1);
        QCOMPARE(messages.warnings[0].first, caption);
        QCOMPARE(messages.warnings[0].second, message);
        QSqlQuery count(u"SELECT COUNT(*) FROM Book2"_s, book.database());
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 0);
    }

    void numberListHasEveryNumberWithItsType()
    {
        SqliteBookFile book(m_folder.filePath(u"list.mdb"_s), u"list"_s, true);
        QVERIFY(book.ready());
        const int jan = book.add(u"Jan"_s, {u"30"_s, QString(), u"10"_s});
        book.add(u"Ewa"_s, {u"20"_s});
        QSqlQuery list = NumberList::query(book.database());
        QVERIFY(list.isActive());
        QStringList rows;
        while (list.next()) {
            rows << u"%1 %2 %3 %4"_s.arg(list.value(u"ID"_s).toString(), list.value(u"Nazwa"_s).toString(),
                                         list.value(u"Numer"_s).toString(), list.value(u"Typ"_s).toString());
        }
        const QString id = QString::number(jan);
        QCOMPARE(rows, (QStringList{id + u" Jan 10 2"_s, u"%1 Ewa 20 1"_s.arg(jan + 1), id + u" Jan 30 1"_s}));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestPhoneBook)
#include "TestPhoneBook.moc"
