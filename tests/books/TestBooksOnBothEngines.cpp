#include "BothEngines.h"
#include "OpenedDatabases.h"
#include "books/contacts/ContactCopier.h"
#include "books/contacts/ContactGroups.h"
#include "books/contacts/ContactSaver.h"
#include "books/contacts/ContactStore.h"
#include "books/contacts/DiacriticFolding.h"
#include "books/contacts/NameIndex.h"
#include "books/contacts/NameSearch.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/BookSchema.h"
#include "books/database/TdbCore.h"
#include "settings/Const.h"
#include "settings/SettingsRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlError>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class IgnoredHistoryErrors final : public HistoryErrorPort {
public:
    void showHistoryError(const QString&, const QString&) override {}
};

int rowCount(const QSqlDatabase& database)
{
    return scalar(database, u"SELECT COUNT(*) FROM Book2"_s).toInt();
}

// Names of random letters, blanks and the characters a search must take literally, many with Polish letters in
// either case.
QString randomName(QRandomGenerator& random)
{
    static const QString letters = u"aąbcćdeęfghijklłmnńoóprsśtuwyzźżAĄBCĆDEĘFGHIJKLŁMNŃOÓPRSŚTUWYZŹŻ  %_\"'"_s;
    const int length = 1 + static_cast<int>(random.bounded(14));
    QString name;
    for (int i = 0; i < length; ++i) {
        name += letters[static_cast<qsizetype>(random.bounded(static_cast<quint32>(letters.size())))];
    }
    return name.front() == u' ' ? u'x' + name : name;
}

// A search text: part of a name, changed in case or diacritics now and then, or random letters.
QString randomSearch(QRandomGenerator& random, const QStringList& names)
{
    if (random.bounded(4) == 0) {
        return randomName(random).left(1 + static_cast<int>(random.bounded(4)));
    }
    const QString& name = names[static_cast<qsizetype>(random.bounded(static_cast<quint32>(names.size())))];
    const int from = static_cast<int>(random.bounded(static_cast<quint32>(name.size())));
    QString part = name.mid(from, 1 + static_cast<int>(random.bounded(5)));
    switch (random.bounded(3)) {
    case 0:
        return part.toUpper();
    case 1:
        return DiacriticFolding::searchForm(part, true);
    default:
        return part;
    }
}

// A book as the version before folded names wrote it.
bool writeBookAsBefore(QSqlDatabase database)
{
    const SqlEngine engine = SqlEngines::of(database);
    QStringList statements =
        BookSchema::createBook2(engine) + BookSchema::createGroups(engine) + BookSchema::createTelTypes2(engine);
    statements << BookSchema::createInfo()
               << u"ALTER TABLE Book2 ADD COLUMN GroupID INTEGER DEFAULT 0 CONSTRAINT gr_pk REFERENCES Groups"_s
               << u"INSERT INTO Groups (ID, Nazwa) VALUES (0, 'Others')"_s << u"INSERT INTO Info (Hash) VALUES (5)"_s;
    return BookSchema::run(database, statements, nullptr);
}

QList<int> sorted(QList<int> ids)
{
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

// The phone books' work on SQLite files and on a PostgreSQL server alike: the same calls, the same answers.
class TestBooksOnBothEngines final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_engines.start(), qPrintable(m_engines.error())); }
    void cleanupTestCase() { m_engines.stop(); }

    void lookupGoesByPositionThenNameOrder_data() { BothEngines::addRows(); }
    void lookupGoesByPositionThenNameOrder()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook book(location);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        QSqlDatabase database = book.database();
        insertContact(database, u"Anna"_s, {u"1"_s, QString(), u"555"_s});
        const int zenon = insertContact(database, u"Zenon"_s, {u"555"_s});
        const int bogdan = insertContact(database, u"Bogdan"_s, {u"2"_s, u"777"_s});
        insertContact(database, u"Cezary"_s, {u"3"_s, u"777"_s});
        const int ewa = insertContact(database, u"Ewa"_s, {QString(), QString(), QString(), QString(), u"900"_s});
        PhoneBook phoneBook(database);
        QCOMPARE(phoneBook.findContact(u"555"_s), zenon);
        QCOMPARE(phoneBook.matchedPosition(), 1);
        QCOMPARE(phoneBook.findContact(u"777"_s), bogdan);
        QCOMPARE(phoneBook.matchedPosition(), 2);
        QCOMPARE(phoneBook.lookupName(u"0/12/900"_s), u"Ewa"_s);
        QCOMPARE(phoneBook.matchedPosition(), 5);
        QCOMPARE(phoneBook.currentContactId(), ewa);
        QCOMPARE(phoneBook.lookupName(u"/"_s), QString());
        QCOMPARE(phoneBook.lookupName(u"90"_s), QString());
        QCOMPARE(phoneBook.currentContactId(), ewa);
    }

    void contactsAreFoundInTheOrderOfThePriority_data() { BothEngines::addRows(); }
    void contactsAreFoundInTheOrderOfThePriority()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        QTemporaryDir folder;
        SettingsRecord settings;
        settings.Historia.Katalog = folder.filePath(u"history"_s);
        settings.Ksiazka.KsPrywatna = folder.filePath(u"private"_s);
        settings.Ksiazka.KsPubliczna = location;
        FakeBookDialogs dialogs;
        IgnoredHistoryErrors historyErrors;
        TdbCore core(settings, {folder.filePath(u"d/PhoneBook"_s), folder.filePath(u"d/History"_s), QString()}, dialogs,
                     historyErrors);
        QVERIFY(core.start());
        QVERIFY2(core.isBookConnected(TdbCore::PublicBook), qPrintable(dialogs.warnings.join(u'\n')));
        insertContact(core.book(TdbCore::PrivateBook)->database(), u"Jan private"_s, {QString(), u"600"_s});
        insertContact(core.book(TdbCore::PublicBook)->database(), u"Jan public"_s, {u"600"_s});
        insertContact(core.book(TdbCore::PublicBook)->database(), u"Ewa"_s, {u"700"_s});

        for (const int priority : {0, 1}) {
            settings.Ksiazka.Priorytet = priority;
            QCOMPARE(core.nameForNumber(u"600"_s), u"Jan private"_s);
            const int id = core.findContactForNumber(u"600"_s);
            QCOMPARE(core.currentBookIndex(), priority == 0 ? TdbCore::PrivateBook : TdbCore::PublicBook);
            QCOMPARE(core.book(core.currentBookIndex())->contact(id)->nazwa,
                     priority == 0 ? u"Jan private"_s : u"Jan public"_s);
        }
        settings.Ksiazka.Priorytet = 0;
        core.selectCurrentBook(TdbCore::PrivateBook);
        QVERIFY(core.findContactForNumber(u"700"_s) >= 0);
        QCOMPARE(core.currentBookIndex(), TdbCore::PublicBook);
        QCOMPARE(core.findContactForNumber(u"999"_s), -1);
    }

    void savingChecksEveryRuleInOrder_data() { BothEngines::addRows(); }
    void savingChecksEveryRuleInOrder()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook book(location);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        struct Case {
            Contact contact;
            QString message;
        };
        Contact emptyDefault = contactNamed(u"Jan"_s, {u"1"_s});
        emptyDefault.defNr = 3;
        Contact longDescription = contactNamed(u"Jan"_s, {u"1"_s});
        longDescription.opis = QString(201, u'o');
        Contact longEmail = contactNamed(u"Jan"_s, {u"1"_s});
        longEmail.email = QString(81, u'e');
        Contact longForward = contactNamed(u"Jan"_s, {u"1"_s});
        longForward.fwdNr = QString(27, u'9');
        const QString tooLong = u"Too long for the phone book (at most %1 characters):\n%2"_s;
        const Case cases[] = {
            {contactNamed(QString(), {u"1"_s}), u"No name in a phone book"_s},
            {contactNamed(u"Jan"_s, {}), u"Please choose a default number."_s},
            {emptyDefault, u"Default number cannot be empty."_s},
            {contactNamed(u"7 Jan"_s, {u"1"_s}), u"Name cannot start with a digit"_s},
            {contactNamed(u"Jan"_s, {u"abc"_s}), u"No valid number in a phone book"_s},
            {contactNamed(QString(31, u'Ż'), {u"1"_s}), tooLong.arg(30).arg(QString(31, u'Ż'))},
            {contactNamed(u"Jan"_s, {u"1"_s, QString(27, u'5')}), tooLong.arg(26).arg(QString(27, u'5'))},
            {longDescription, tooLong.arg(200).arg(longDescription.opis)},
            {longEmail, tooLong.arg(80).arg(longEmail.email)},
            {longForward, tooLong.arg(26).arg(longForward.fwdNr)},
        };
        RecordedMessages messages;
        ContactSaver saver(book.database(), {}, messages);
        for (const Case& check : cases) {
            QVERIFY(!saver.save(check.contact, std::nullopt));
            QCOMPARE(messages.warnings.size(), 1);
            QCOMPARE(messages.warnings.takeFirst().second, check.message);
        }
        QCOMPARE(rowCount(book.database()), 0);
        // Exactly as wide as the columns is fine; "+48 " goes before the width is judged.
        const std::optional<int> id =
            saver.save(contactNamed(QString(30, u'Ż'), {u"+48 "_s + QString(26, u'5')}), std::nullopt);
        QVERIFY2(id.has_value(), qPrintable(messages.warningTexts().join(u'\n')));
        QCOMPARE(PhoneBook(book.database()).contact(*id)->nazwa, QString(30, u'Ż'));
    }

    void savedContactReadsBackAndAStaleEditIsRefused_data() { BothEngines::addRows(); }
    void savedContactReadsBackAndAStaleEditIsRefused()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook first(location);
        OpenedBook second(location);
        QVERIFY2(first.ok() && second.ok(), qPrintable(first.outcome.error + second.outcome.error));
        RecordedMessages messages;
        Contact contact =
            contactNamed(u"Ewa Łęcka"_s, {QString(), QString(), u"+48 600-100-200"_s, QString(), u"+49 (30) 1"_s});
        contact.notes = u"line 1\nline 2"_s;
        contact.opis = u"opis"_s;
        contact.email = u"ewa@example.com"_s;
        contact.otwNot = true;
        contact.fwd = 1;
        contact.fwdNr = u"123"_s;
        contact.types = {1, 3, 2, 2, 3};
        const std::optional<int> id = ContactSaver(first.database(), {u"48"_s, true}, messages).save(contact, {});
        QVERIFY2(id.has_value(), qPrintable(messages.warningTexts().join(u'\n')));
        const Contact seenByFirst = *PhoneBook(first.database()).contact(*id);
        const Contact seenBySecond = *PhoneBook(second.database()).contact(*id);
        QCOMPARE(seenBySecond, seenByFirst);
        QCOMPARE(seenByFirst.defNr, std::optional<int>(2));
        QCOMPARE(seenByFirst.numbers[2], u"0600100200"_s);
        QCOMPARE(seenByFirst.numbers[4], u"0049301"_s);
        QVERIFY(seenByFirst.numbers[0].isNull());
        QCOMPARE(seenByFirst.notes, contact.notes);
        QCOMPARE(seenByFirst.types, contact.types);
        QVERIFY(seenByFirst.otwNot);

        Contact edit = seenByFirst;
        edit.opis = u"from the first"_s;
        QCOMPARE(ContactSaver(first.database(), {}, messages).save(edit, seenByFirst), id);
        Contact stale = seenBySecond;
        stale.nazwa = u"Ewa Nowak"_s;
        QVERIFY(!ContactSaver(second.database(), {}, messages).save(stale, seenBySecond));
        QCOMPARE(messages.warningTexts(), QStringList{u"Record has been removed or changed by other user"_s});
        const Contact now = *PhoneBook(second.database()).contact(*id);
        QCOMPARE(now.nazwa, u"Ewa Łęcka"_s);
        QCOMPARE(now.opis, u"from the first"_s);
        stale = now;
        stale.nazwa = u"Ewa Nowak"_s;
        QCOMPARE(ContactSaver(second.database(), {}, messages).save(stale, now), id);
    }

    void copyingGoesBetweenEnginesWithinTheWidths_data() { BothEngines::addRows(); }
    void copyingGoesBetweenEnginesWithinTheWidths()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook privateBook(m_engines.newLocation(BothEngines::sqlite()), BookState::privateBook(QString()));
        OpenedBook publicBook(location);
        QVERIFY2(privateBook.ok() && publicBook.ok(), qPrintable(publicBook.outcome.error));
        QSqlQuery group(privateBook.database());
        QVERIFY(group.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (7, 'Team')"_s));
        Contact contact = contactNamed(u"Óla"_s, {u"1"_s, u"22"_s, QString(), QString(), u"55"_s});
        contact.types = {1, 3, 2, 2, 3};
        contact.notes = u"notes"_s;
        contact.email = u"ola@example.com"_s;
        contact.fwd = 2;
        contact.defNr = 4;
        contact.groupId = 7;

        RecordedMessages messages;
        ContactCopier copier(messages);
        const std::optional<int> id = copier.copy(contact, publicBook.database(), u"prywatnej"_s, u"publicznej"_s);
        QVERIFY2(id.has_value(), qPrintable(messages.warningTexts().join(u'\n')));
        QCOMPARE(messages.questions.size(), 1);
        QCOMPARE(messages.questions[0].second, u"Selected record will be copied from prywatnej to publicznej."_s);
        Contact copied = *PhoneBook(publicBook.database()).contact(*id);
        QCOMPARE(copied.groupId, 0);
        copied.groupId = contact.groupId;
        copied.id = contact.id;
        QCOMPARE(copied, contact);
        QVERIFY(copier.copy(copied, privateBook.database(), u"a"_s, u"b"_s).has_value());

        // A name an older version let into an SQLite book is refused on both engines before they see it.
        Contact older = contact;
        older.nazwa = QString(35, u'x');
        messages.questions.clear();
        QVERIFY(!copier.copy(older, publicBook.database(), u"a"_s, u"b"_s));
        QVERIFY(messages.questions.isEmpty());
        QCOMPARE(messages.warnings.size(), 1);
        QVERIFY(messages.warnings[0].second.startsWith(u"Too long for the phone book (at most 30 characters)"_s));
        QCOMPARE(rowCount(publicBook.database()), 1);
    }

    void groupsMoveTheirContacts_data() { BothEngines::addRows(); }
    void groupsMoveTheirContacts()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook book(location);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        QSqlDatabase database = book.database();
        QSqlQuery query(database);
        QVERIFY(query.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (1, 'A')"_s));
        QVERIFY(query.exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (2, 'B')"_s));
        const int a1 = insertContact(database, u"a1"_s, {u"1"_s}, 1);
        const int a2 = insertContact(database, u"a2"_s, {u"2"_s}, 1);
        RecordedMessages messages;
        ContactGroups groups(database, messages);
        QVERIFY(groups.moveGroup(1, 2));
        QVERIFY(groups.moveContact(a1, 1));
        PhoneBook phoneBook(database);
        QCOMPARE(phoneBook.contact(a1)->groupId, 1);
        QCOMPARE(phoneBook.contact(a2)->groupId, 2);
        QVERIFY(!groups.deleteGroup(0));
        QVERIFY(groups.deleteGroup(2));
        QCOMPARE(phoneBook.contact(a2)->groupId, 0);
        QCOMPARE(scalar(database, u"SELECT COUNT(*) FROM Groups"_s).toInt(), 2);
        QVERIFY(messages.warnings.isEmpty());
    }

    void nameSearchAnswersAsTheFilterDoes_data() { BothEngines::addRows(); }
    void nameSearchAnswersAsTheFilterDoes()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        OpenedBook book(location);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        QSqlDatabase database = book.database();
        QVERIFY(NameIndex::hasSubstringIndex(database));
        QRandomGenerator random(20240305);
        QStringList names{u"Jan Kowalski"_s, u"Łukasz Żółć"_s, u"ŁUKASZ ŻÓŁĆ"_s, u"Anna-Maria O'Neil"_s,
                          u"100% _Pewny_"_s};
        for (int i = 0; i < 400; ++i) {
            names.append(randomName(random));
        }
        RecordedMessages messages;
        ContactStore store(database);
        QVERIFY(database.transaction());
        for (const QString& name : names) {
            QVERIFY2(store.insert(contactNamed(name, {u"1"_s})), qPrintable(store.lastError()));
        }
        QVERIFY(database.commit());
        // Rows another program wrote or renamed without the folded names.
        insertContact(database, u"Kowalczyk Ąnna"_s, {u"2"_s});
        QSqlQuery rename(database);
        QVERIFY(rename.exec(u"UPDATE Book2 SET Nazwa = 'Zenon Kowal' WHERE Nazwa = 'Jan Kowalski'"_s));
        QVERIFY(rename.exec(u"UPDATE Book2 SET Nazwa = 'ŁUKASZ ZOLC', NazwaSzuk = 'lukasz zolc' "
                            "WHERE Nazwa = 'ŁUKASZ ŻÓŁĆ'"_s));

        QStringList searches{u"kow"_s, u"Łuk"_s, u"zolc"_s, u"żółć"_s, u"jan k"_s, u"o'n"_s,
                             u"% _"_s, u"_"_s,   u"\""_s,   u"a"_s,    u"anna-m"_s};
        for (int i = 0; i < 150; ++i) {
            searches.append(randomSearch(random, names));
        }
        for (const int mode : {0, 1, 2}) {
            for (const bool fold : {true, false}) {
                for (const QString& language : {u"pl"_s, u"ru"_s}) {
                    NameSearch search(database, mode, fold, language);
                    for (const QString& text : searches) {
                        const std::optional<QList<int>> indexed = search.matching(text);
                        const std::optional<QList<int>> scanned = search.scanning(text);
                        QVERIFY(indexed && scanned);
                        QVERIFY2(sorted(*indexed) == sorted(*scanned),
                                 qPrintable(u"mode %1 fold %2 %3 \"%4\": %5 found, %6 pass"_s.arg(mode)
                                                .arg(fold)
                                                .arg(language, text)
                                                .arg(indexed->size())
                                                .arg(scanned->size())));
                    }
                    QCOMPARE(search.matching(QString())->size(), names.size() + 1);
                }
            }
        }
        NameSearch search(database, 2, true, u"pl"_s);
        QCOMPARE(search.matching(u"kowal"_s)->size(), 2);
    }

    void aBookOfTheVersionBeforeGetsItsFoldedNamesOnce_data() { BothEngines::addRows(); }
    void aBookOfTheVersionBeforeGetsItsFoldedNamesOnce()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        if (engine == BothEngines::sqlite()) {
            QVERIFY(QDir().mkpath(location));
        }
        {
            BookConnection before;
            QString error;
            QVERIFY2(before.open(location, PhoneBookConnector::fileName(), &error), qPrintable(error));
            QVERIFY(writeBookAsBefore(before.database()));
            for (const QString& name : {u"Świętosław Łącki"_s, u"Ewa Kowalska"_s, u"Łukasz"_s}) {
                QVERIFY(insertContact(before.database(), name, {u"600"_s}) > 0);
            }
        }
        for (int open = 0; open < 2; ++open) {
            OpenedBook book(location);
            QVERIFY2(book.ok(), qPrintable(book.outcome.error));
            QVERIFY(book.dialogs.nothingShown());
            QSqlDatabase database = book.database();
            QCOMPARE(scalar(database, u"SELECT COUNT(*) FROM Book2 WHERE NazwaSzuk IS NULL"_s).toInt(), 0);
            QCOMPARE(scalar(database, u"SELECT NazwaSzuk FROM Book2 WHERE Nazwa = 'Świętosław Łącki'"_s).toString(),
                     u"swietoslaw lacki"_s);
            QVERIFY(NameIndex::hasSubstringIndex(database));
            if (engine == BothEngines::sqlite()) {
                QCOMPARE(scalar(database, u"SELECT COUNT(*) FROM Book2Szuk"_s).toInt(), 3);
            }
            QCOMPARE(NameSearch(database, 0, true, u"pl"_s).matching(u"łuk"_s)->size(), 1);
            QCOMPARE(NameSearch(database, 2, true, u"pl"_s).matching(u"acki"_s)->size(), 1);
        }
    }

    void aLockedBookAnswersNothingWithinTheTimeOut_data() { BothEngines::addRows(); }
    void aLockedBookAnswersNothingWithinTheTimeOut()
    {
        FETCH_NEW_LOCATION(m_engines, location);
        constexpr int TimeoutMs = 200;
        OpenedBook book(location, BookState::publicBook(), TimeoutMs);
        QVERIFY2(book.ok(), qPrintable(book.outcome.error));
        insertContact(book.database(), u"Jan"_s, {u"600"_s});
        PhoneBook phoneBook(book.database());
        QCOMPARE(phoneBook.lookupName(u"600"_s), u"Jan"_s);
        if (engine == BothEngines::sqlite()) {
            // Readers wait for a writer only with the rollback journal, as on a network folder.
            QCOMPARE(scalar(book.database(), u"PRAGMA journal_mode = DELETE"_s).toString(), u"delete"_s);
        }
        {
            // Another client holds the book in a long write.
            QSqlDatabase other = engine == BothEngines::sqlite()
                                     ? QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s)
                                     : QSqlDatabase::cloneDatabase(book.database(), u"locker"_s);
            if (engine == BothEngines::sqlite()) {
                other.setDatabaseName(QDir(location).filePath(PhoneBookConnector::fileName()));
            }
            QVERIFY2(other.open(), qPrintable(other.lastError().text()));
            QSqlQuery lock(other);
            const QStringList statements =
                engine == BothEngines::sqlite()
                    ? QStringList{u"BEGIN EXCLUSIVE"_s}
                    : QStringList{u"BEGIN"_s, u"LOCK TABLE Book2 IN ACCESS EXCLUSIVE MODE"_s};
            for (const QString& statement : statements) {
                QVERIFY2(lock.exec(statement), qPrintable(lock.lastError().text()));
            }
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(u"^A phone book is unavailable for a number lookup"_s));
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(phoneBook.lookupName(u"600"_s), QString());
            QVERIFY2(timer.elapsed() < 10 * TimeoutMs, qPrintable(QString::number(timer.elapsed())));
            QVERIFY(lock.exec(u"ROLLBACK"_s));
            lock = QSqlQuery();
            other = QSqlDatabase();
        }
        QSqlDatabase::removeDatabase(u"locker"_s);
        QCOMPARE(phoneBook.lookupName(u"600"_s), u"Jan"_s);
    }

private:
    BothEngines m_engines;
};

QTEST_GUILESS_MAIN(TestBooksOnBothEngines)
#include "TestBooksOnBothEngines.moc"
