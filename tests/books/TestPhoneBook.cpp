#include "PhoneBookFixture.h"
#include "books/ContactCopier.h"
#include "books/ContactGroups.h"
#include "books/ContactSaver.h"
#include "books/NumberList.h"
#include "books/PhoneBook.h"
#include "settings/Const.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Number lookup, saving, copying and groups on phone books in SQLite files.
class TestPhoneBook final : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_folder.isValid()); }

    void lookupUsesThePartAfterTheLastSlash()
    {
        BookConnection book(m_folder.filePath(u"slash.mdb"_s), u"slash"_s, true);
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

    void earlierPositionWinsThenNameOrder()
    {
        BookConnection book(m_folder.filePath(u"order.mdb"_s), u"order"_s, true);
        QVERIFY2(book.ready(), qPrintable(book.error()));
        book.add(u"Anna"_s, {u"1"_s, QString(), u"555"_s});
        const int zenon = book.add(u"Zenon"_s, {u"555"_s});
        const int bogdan = book.add(u"Bogdan"_s, {u"2"_s, u"777"_s});
        book.add(u"Cezary"_s, {u"3"_s, u"777"_s});
        PhoneBook phoneBook(book.database());
        QCOMPARE(phoneBook.findContact(u"555"_s), zenon);
        QCOMPARE(phoneBook.matchedPosition(), 1);
        QCOMPARE(phoneBook.findContact(u"777"_s), bogdan);
        QCOMPARE(phoneBook.matchedPosition(), 2);
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
        BookConnection book(m_folder.filePath(u"checks.mdb"_s), u"checks"_s,
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

    void saveDerivesDefaultAndNormalises()
    {
        BookConnection book(m_folder.filePath(u"save.mdb"_s), u"save"_s, true);
        QVERIFY2(book.ready(), qPrintable(book.error()));
        RecordedMessages messages;
        ContactSaver saver(book.database(), {u"48"_s, true}, messages);
        Contact contact =
            contactNamed(u"Ewa"_s, {QString(), QString(), u"+48 600-100-200"_s, QString(), u"+49 (30) 1"_s});
        contact.notes = u"line 1\nline 2"_s;
        contact.fwd = 1;
        contact.fwdNr = u"123"_s;
        const std::optional<int> id = saver.save(contact, std::nullopt);
        QVERIFY2(id.has_value(), qPrintable(messages.lastWarning()));
        const std::optional<Contact> stored = PhoneBook(book.database()).contact(*id);
        QVERIFY(stored.has_value());
        QCOMPARE(stored->defNr, std::optional<int>(2));
        QCOMPARE(stored->numbers[2], u"0600100200"_s);
        QCOMPARE(stored->numbers[4], u"0049301"_s);
        QVERIFY(stored->numbers[0].isNull());
        QCOMPARE(stored->notes, contact.notes);
        QCOMPARE(stored->fwdNr, u"123"_s);
        QCOMPARE(stored->types[0], Contact::TypeExtension);
        QCOMPARE(PhoneBook(book.database()).findContact(u"0600100200"_s), *id);
    }

    void concurrentEditIsRefused()
    {
        const QString file = m_folder.filePath(u"shared.mdb"_s);
        BookConnection first(file, u"first"_s, true);
        QVERIFY2(first.ready(), qPrintable(first.error()));
        BookConnection second(file, u"second"_s, false);
        QVERIFY2(second.ready(), qPrintable(second.error()));
        const int id = first.add(u"Jan"_s, {u"100"_s});
        const Contact seenByFirst = *PhoneBook(first.database()).contact(id);
        const Contact seenBySecond = *PhoneBook(second.database()).contact(id);

        RecordedMessages messages;
        Contact edit = seenByFirst;
        edit.opis = u"from the first"_s;
        QCOMPARE(ContactSaver(first.database(), {}, messages).save(edit, seenByFirst), std::optional<int>(id));
        Contact stale = seenBySecond;
        stale.nazwa = u"Janusz"_s;
        QVERIFY(!ContactSaver(second.database(), {}, messages).save(stale, seenBySecond));
        QCOMPARE(messages.warnings.size(), 1);
        QCOMPARE(messages.lastWarning(), u"Record has been removed or changed by other user"_s);
        const Contact now = *PhoneBook(second.database()).contact(id);
        QCOMPARE(now.nazwa, u"Jan"_s);
        QCOMPARE(now.opis, u"from the first"_s);
        // Starting again from what is stored, the second user's change goes through.
        stale = now;
        stale.nazwa = u"Janusz"_s;
        QCOMPARE(ContactSaver(second.database(), {}, messages).save(stale, now), std::optional<int>(id));
    }

    void copyToTheOtherBook()
    {
        BookConnection privateBook(m_folder.filePath(u"private.mdb"_s), u"private"_s, true);
        BookConnection publicBook(m_folder.filePath(u"public.mdb"_s), u"public"_s, true);
        QVERIFY(privateBook.ready() && publicBook.ready());
        QSqlQuery group(privateBook.database());
        QVERIFY(group.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (7, 'Team')"_s));
        Contact contact = contactNamed(u"Ola"_s, {u"1"_s, u"22"_s, QString(), QString(), u"55"_s});
        contact.types = {1, 3, 2, 2, 3};
        contact.notes = u"notes"_s;
        contact.opis = u"description"_s;
        contact.email = u"ola@example.com"_s;
        contact.otwNot = true;
        contact.fwd = 2;
        contact.fwdNr = u"9"_s;
        contact.defNr = 4;
        contact.groupId = 7;

        RecordedMessages messages;
        messages.answer = false;
        ContactCopier copier(messages);
        QVERIFY(!copier.copy(contact, publicBook.database(), u"prywatnej"_s, u"publicznej"_s));
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].second, u"Selected record will be copied from prywatnej to publicznej."_s);

        messages.answer = true;
        const std::optional<int> id = copier.copy(contact, publicBook.database(), u"a"_s, u"b"_s);
        QVERIFY2(id.has_value(), qPrintable(messages.lastWarning()));
        Contact copied = *PhoneBook(publicBook.database()).contact(*id);
        QCOMPARE(copied.groupId, 0);
        copied.groupId = contact.groupId;
        copied.id = contact.id;
        QCOMPARE(copied, contact);
    }

    void groups()
    {
        BookConnection book(m_folder.filePath(u"groups.mdb"_s), u"groups"_s, true);
        QVERIFY(book.ready());
        QSqlQuery query(book.database());
        QVERIFY(query.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (1, 'A')"_s));
        QVERIFY(query.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (2, 'B')"_s));
        const int a1 = book.add(u"a1"_s, {u"1"_s}, 1);
        const int a2 = book.add(u"a2"_s, {u"2"_s}, 1);
        RecordedMessages messages;
        ContactGroups groups(book.database(), messages);
        QVERIFY(groups.moveGroup(1, 2));
        QVERIFY(groups.moveContact(a1, 1));
        QCOMPARE(groupOf(book, a1), 1);
        QCOMPARE(groupOf(book, a2), 2);
        QVERIFY(!groups.deleteGroup(0));
        QVERIFY(groups.deleteGroup(2));
        QCOMPARE(groupOf(book, a2), 0);
        QVERIFY(query.exec(u"SELECT COUNT(*) FROM Groups"_s) && query.next());
        QCOMPARE(query.value(0).toInt(), 2);
        QVERIFY(messages.warnings.isEmpty());
    }

    void numberListHasEveryNumberWithItsType()
    {
        BookConnection book(m_folder.filePath(u"list.mdb"_s), u"list"_s, true);
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
    static int groupOf(const BookConnection& book, int id) { return PhoneBook(book.database()).contact(id)->groupId; }

    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestPhoneBook)
#include "TestPhoneBook.moc"
