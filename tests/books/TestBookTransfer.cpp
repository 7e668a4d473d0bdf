#include "ContactRows.h"
#include "FakeBookDialogs.h"
#include "books/contacts/ContactStore.h"
#include "books/database/BookSchema.h"
#include "books/transfer/BookTransfer.h"
#include "books/transfer/ContactFields.h"
#include "books/transfer/DelimitedText.h"
#include "books/transfer/JetFile.h"
#include "books/transfer/TransferColumns.h"
#include "books/transfer/VCardReader.h"
#include "settings/CodePage.h"
#include "support/TestFiles.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(TransferFileKind)

namespace {

// A phone book in an SQLite file on a connection of its own, closed with the object.
class TestBook final {
public:
    TestBook(const QString& file, const QString& connectionName, bool create)
        : m_name(connectionName)
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_name);
        database.setDatabaseName(file);
        m_ready = database.open() && (!create || BookSchema::createPhoneBook(database, u"Others"_s, 1, &m_error));
    }
    ~TestBook() { QSqlDatabase::removeDatabase(m_name); }
    TestBook(const TestBook&) = delete;
    TestBook& operator=(const TestBook&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name); }
    bool ready() const { return m_ready; }
    QString error() const { return m_error; }
    int add(const QString& name, const QStringList& numbers) const { return insertContact(database(), name, numbers); }

private:
    QString m_name;
    QString m_error;
    bool m_ready = false;
};

// Every column of Book2 set, with text that a careless writer would break.
Contact fullContact()
{
    Contact contact;
    contact.nazwa = u"Żaneta \"Zet\", Łódź"_s;
    contact.numbers = {u"21"_s, u"226001234"_s, u"221234567"_s, u"600123456"_s, u"0048601"_s};
    contact.types = {1, 2, 3, 2, 3};
    contact.notes = u"line one\nline two, with \"quotes\"; and semicolons"_s;
    contact.opis = u"opis, z przecinkiem"_s;
    contact.email = u"zaneta@example.com"_s;
    contact.otwNot = true;
    contact.fwd = 1;
    contact.fwdNr = u"600999"_s;
    contact.defNr = 3;
    return contact;
}

QList<Contact> storedContacts(const QSqlDatabase& database)
{
    QSqlQuery query(database);
    query.exec(u"SELECT * FROM Book2 ORDER BY ID"_s);
    QList<Contact> contacts;
    while (query.next()) {
        contacts.append(ContactColumns::read(query.record()));
    }
    return contacts;
}

int contactCount(const QSqlDatabase& database)
{
    return scalar(database, u"SELECT COUNT(*) FROM Book2"_s).toInt();
}

// The contact as it comes back from a file: a new identity in group 0.
Contact asImported(Contact contact)
{
    contact.id = 0;
    contact.groupId = 0;
    return contact;
}

QList<Contact> withoutIdentities(QList<Contact> contacts)
{
    for (Contact& contact : contacts) {
        contact = asImported(contact);
    }
    return contacts;
}

} // namespace

// Export and import through every file kind between two real phone books (SQLite files): the chosen columns, the
// overwrite question, round trips of every column, the code pages of text files, vCard's own forms, and malformed
// files of each kind, which add nothing.
class TestBookTransfer final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_folder.emplace();
        QVERIFY(m_folder->isValid());
        m_source = std::make_unique<TestBook>(m_folder->filePath(u"source.mdb"_s), u"source"_s, true);
        m_target = std::make_unique<TestBook>(m_folder->filePath(u"target.mdb"_s), u"target"_s, true);
        QVERIFY2(m_source->ready(), qPrintable(m_source->error()));
        QVERIFY2(m_target->ready(), qPrintable(m_target->error()));
        m_dialogs = FakeBookDialogs();
    }
    void cleanup()
    {
        m_source.reset();
        m_target.reset();
        m_folder.reset();
    }

    void columnsFollowTheChoice()
    {
        QCOMPARE(TransferColumns::selectList({1, 3}), u"Nazwa, Nr1"_s);
        QCOMPARE(TransferColumns::selectList({13, 17, 99, 0}), u"Fwd, FwdNr, DefNr"_s);
        QCOMPARE(TransferColumns::columnsOf(TransferColumns::allCodes()).size(), 18);
        QCOMPARE(TransferColumns::exportText(11), u"k. Prefix for mobile phone"_s);
        QCOMPARE(TransferColumns::importText(11), u"k.Prefix for mobile number"_s);
        QCOMPARE(TransferColumns::importText(3), u"c. Extension"_s);

        m_source->add(u"Jan"_s, {u"21"_s, u"600"_s});
        const QString file = m_folder->filePath(u"two.txt"_s);
        QVERIFY(transfer(*m_source).exportTo(file, TransferFileKind::Text, {1, 3}).ok());
        QCOMPARE(readFile(file), "Nazwa,Nr1\r\n\"Jan\",\"21\"\r\n"_ba);
    }

    void overwriteIsAsked()
    {
        m_source->add(u"Jan"_s, {u"21"_s});
        const QString file = m_folder->filePath(u"existing.txt"_s);
        QVERIFY(writeFile(file, "keep me"));
        m_dialogs.answers = {false};
        const BookTransfer::Result refused = transfer(*m_source).exportTo(file, TransferFileKind::Text, {1});
        QVERIFY(refused.outcome == BookTransfer::Result::Outcome::Cancelled);
        QCOMPARE(m_dialogs.questions, QStringList{u"File exists. Do you want to overwrite it?"_s});
        QCOMPARE(readFile(file), "keep me"_ba);

        m_dialogs.answers = {true};
        QVERIFY(transfer(*m_source).exportTo(file, TransferFileKind::Text, {1}).ok());
        QCOMPARE(readFile(file), "Nazwa\r\n\"Jan\"\r\n"_ba);
        // Nothing is left beside the file.
        QCOMPARE(QDir(m_folder->path()).entryList({u"*existing*"_s}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void roundTripKeepsEveryColumn_data()
    {
        QTest::addColumn<TransferFileKind>("kind");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("access") << TransferFileKind::Access << u"book.mdb"_s;
        QTest::newRow("text with dots in its name") << TransferFileKind::Text << u"my.book.txt"_s;
        QTest::newRow("csv utf-8") << TransferFileKind::CsvUtf8 << u"book.csv"_s;
    }
    void roundTripKeepsEveryColumn()
    {
        QFETCH(TransferFileKind, kind);
        QFETCH(QString, fileName);
        QSqlQuery(m_source->database()).exec(u"INSERT INTO Groups (ID, Nazwa) VALUES (7, 'Team')"_s);
        Contact full = fullContact();
        full.groupId = 7;
        ContactStore(m_source->database()).insert(full);
        Contact sparse = contactNamed(u"Bez numerów"_s, {QString(), QString(), u"55"_s});
        ContactStore(m_source->database()).insert(sparse);
        m_target->add(u"Already there"_s, {u"1"_s});

        const QString file = m_folder->filePath(fileName);
        const BookTransfer::Result exported = transfer(*m_source).exportTo(file, kind, TransferColumns::allCodes());
        QVERIFY2(exported.ok(), qPrintable(exported.message));
        QCOMPARE(exported.contacts, 2);
        for (int round = 1; round <= 2; ++round) {
            const BookTransfer::Result imported =
                transfer(*m_target).importFrom(file, kind, TransferColumns::allCodes());
            QVERIFY2(imported.ok(), qPrintable(imported.message));
            QCOMPARE(imported.contacts, 2);
        }
        const QList<Contact> stored = storedContacts(m_target->database());
        QCOMPARE(stored.size(), 5); // no duplicate check: a second import doubles the contacts
        const QList<Contact> expected{asImported(sparse), asImported(full)}; // exported in name order
        QCOMPARE(withoutIdentities(stored.mid(1, 2)), expected);
        QCOMPARE(withoutIdentities(stored.mid(3, 2)), expected);
        QCOMPARE(stored[1].groupId, 0);
        QVERIFY(stored[1].id > stored[0].id && stored[4].id > stored[3].id);
    }

    void accessFileHoldsOnlyTheChosenColumns()
    {
        m_source->add(u"Jan"_s, {u"21"_s});
        const QString file = m_folder->filePath(u"chosen.mdb"_s);
        QVERIFY(transfer(*m_source).exportTo(file, TransferFileKind::Access, {16, 1, 13}).ok());
        TestBook exported(file, u"exported"_s, false);
        const QSqlRecord record = exported.database().record(u"Book2"_s);
        QStringList columns;
        for (int i = 0; i < record.count(); ++i) {
            columns.append(record.fieldName(i));
        }
        QCOMPARE(columns, (QStringList{u"Email"_s, u"Nazwa"_s, u"Fwd"_s, u"FwdNr"_s}));
    }

    void textFilesOfBothCodePagesImport_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = u"Nazwa,Nr1,Notes\r\n\"Źdźbło Łękawa\",\"21\",\"zażółć gęślą jaźń\"\r\n"_s;
        QTest::newRow("windows-1250") << CodePage::toWindows1250(text);
        QTest::newRow("utf-8") << text.toUtf8();
        QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("line feeds only") << CodePage::toWindows1250(QString(text).replace(u"\r\n"_s, u"\n"_s));
    }
    void textFilesOfBothCodePagesImport()
    {
        QFETCH(QByteArray, bytes);
        const QString file = m_folder->filePath(u"polish.txt"_s);
        QVERIFY(writeFile(file, bytes));
        const BookTransfer::Result result = transfer(*m_target).importFrom(file, TransferFileKind::Text, {1, 3, 15});
        QVERIFY2(result.ok(), qPrintable(result.message));
        const QList<Contact> stored = storedContacts(m_target->database());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].nazwa, u"Źdźbło Łękawa"_s);
        QCOMPARE(stored[0].notes, u"zażółć gęślą jaźń"_s);
        QCOMPARE(stored[0].numbers[0], u"21"_s);
    }

    void windows1250ExportSaysWhatItCannotHold()
    {
        m_source->add(u"Ελένη"_s, {u"21"_s});
        const QString file = m_folder->filePath(u"greek.txt"_s);
        const BookTransfer::Result result = transfer(*m_source).exportTo(file, TransferFileKind::Text, {1});
        QVERIFY(result.ok());
        QVERIFY(result.message.contains(u"CSV, UTF-8"_s));
        QVERIFY(transfer(*m_source)
                    .exportTo(m_folder->filePath(u"greek.csv"_s), TransferFileKind::CsvUtf8, {1})
                    .message.isEmpty());
    }

    void vCardRoundTrip()
    {
        Contact full = fullContact();
        full.types = {1, 2, 2, 2, 2}; // vCard carries no line prefixes
        full.opis.clear();
        full.fwd = 0;
        full.fwdNr.clear();
        full.otwNot = false;
        ContactStore(m_source->database()).insert(full);
        Contact second = contactNamed(u"Anna; Nowak\\"_s, {QString(), QString(), QString(), u"+48 601"_s});
        second.defNr = 3;
        ContactStore(m_source->database()).insert(second);
        const QString file = m_folder->filePath(u"book.vcf"_s);
        QVERIFY(transfer(*m_source).exportTo(file, TransferFileKind::VCard, TransferColumns::allCodes()).ok());
        QVERIFY(readFile(file).contains("TEL;TYPE=CELL,PREF:600123456\r\n"));
        const BookTransfer::Result imported =
            transfer(*m_target).importFrom(file, TransferFileKind::VCard, TransferColumns::allCodes());
        QVERIFY2(imported.ok(), qPrintable(imported.message));
        QCOMPARE(withoutIdentities(storedContacts(m_target->database())),
                 (QList<Contact>{asImported(second), asImported(full)}));
    }

    void vCardOfOtherWritersReads()
    {
        const QString text =
            u"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=81=C4=99ka;Jan\r\n"
            "TEL;CELL;PREF:600 100 200\r\nTEL;HOME:22 1\r\nTEL;WORK:22 2\r\nTEL:5\r\nTEL;FAX:6\r\n"
            "TEL;VOICE:7\r\nNOTE;ENCODING=QUOTED-PRINTABLE:first=0D=0A=\r\nsecond\r\nEND:VCARD\r\n"
            "\r\nbegin:vcard\nversion:4.0\nitem1.FN:Kowalski\\, Jan\n  Junior\nTEL;VALUE=uri;"
            "TYPE=\"work,voice\";PREF=1:tel:+48221234567\nEMAIL:jan@example.com\nEMAIL:second@x\n"
            "NOTE:a\\;b\\nc\\\\d\nend:vcard\n"_s;
        QString error;
        const std::optional<QList<Contact>> contacts = VCardReader::read(text, &error);
        QVERIFY2(contacts, qPrintable(error));
        QCOMPARE(contacts->size(), 2);
        const Contact& first = contacts->at(0);
        QCOMPARE(first.nazwa, u"Jan Łęka"_s);
        QCOMPARE(first.numbers, (std::array<QString, 5>{u"6"_s, u"22 2"_s, u"22 1"_s, u"600 100 200"_s, u"5"_s}));
        QCOMPARE(first.defNr, 3);
        QCOMPARE(first.notes, u"TEL: 7\nfirst\r\nsecond"_s);
        const Contact& second = contacts->at(1);
        QCOMPARE(second.nazwa, u"Kowalski, Jan Junior"_s);
        QCOMPARE(second.numbers[1], u"+48221234567"_s);
        QCOMPARE(second.defNr, 1);
        QCOMPARE(second.email, u"jan@example.com"_s);
        QCOMPARE(second.notes, u"a;b\nc\\d"_s);
    }

    void malformedFilesAddNothing_data()
    {
        QTest::addColumn<TransferFileKind>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const auto text = TransferFileKind::Text;
        QTest::newRow("text: quote left open")
            << text << "Nazwa,Nr1\r\n\"Jan\",\"21\r\n"_ba << u"Line 2: A quoted value is not closed."_s;
        QTest::newRow("text: text after a quote")
            << text << "Nazwa\r\n\"Jan\"x\r\n"_ba << u"Line 2: Text after the closing quote of a value."_s;
        QTest::newRow("text: too many values") << text << "Nazwa\r\n\"Jan\",\"21\"\r\n"_ba
                                               << u"Line 2: The row has more values than the first line has columns."_s;
        QTest::newRow("text: a column missing")
            << text << "Nazwa,Nr2\r\n\"Jan\",\"21\"\r\n"_ba << u"The file has no column Nr1."_s;
        QTest::newRow("text: repeated column")
            << text << "Nazwa,nazwa,Nr1\r\n"_ba << u"Line 1: The first line must name each column once."_s;
        QTest::newRow("text: empty") << text << QByteArray() << u"Line 1: The file is empty."_s;
        QTest::newRow("csv: a bad type half way")
            << TransferFileKind::CsvUtf8 << "Nazwa,Nr1,Typ1\r\n\"A\",\"1\",1\r\n\"B\",\"2\",x\r\n"_ba
            << u"Row 2: Column Typ1 holds a value it cannot take: x"_s;
        QTest::newRow("csv: a long name half way")
            << TransferFileKind::CsvUtf8
            << ("Nazwa,Nr1,Typ1\r\n\"A\",\"1\",1\r\n\"" + QByteArray(31, 'n') + "\",\"2\",1\r\n")
            << u"Row 2: Too long for the phone book (at most 30 characters):"_s;
        QTest::newRow("vcard: not closed")
            << TransferFileKind::VCard << "BEGIN:VCARD\r\nFN:Jan\r\n"_ba << u"The last card is not closed."_s;
        QTest::newRow("vcard: no name") << TransferFileKind::VCard << "BEGIN:VCARD\r\nTEL:1\r\nEND:VCARD\r\n"_ba
                                        << u"Line 1: The card has no name."_s;
        QTest::newRow("vcard: not a vcard")
            << TransferFileKind::VCard << "Nazwa,Nr1\r\n"_ba << u"Line 1: The line is not a vCard property."_s;
        QTest::newRow("vcard: nested") << TransferFileKind::VCard << "BEGIN:VCARD\r\nBEGIN:VCARD\r\n"_ba
                                       << u"Line 2: A card begins before the one before it has ended."_s;
        QTest::newRow("vcard: no card") << TransferFileKind::VCard << "\r\n\r\n"_ba
                                        << u"Line 1: The file holds no vCard."_s;
        QTest::newRow("access: not a database")
            << TransferFileKind::Access << "Nazwa,Nr1\r\n"_ba << u"is not an Access database."_s;
        QTest::newRow("access: a broken Jet file")
            << TransferFileKind::Access << QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(4096, 0)
            << u"cannot be read as an Access database."_s;
        QTest::newRow("paradox") << TransferFileKind::Paradox << "anything"_ba << u"are not supported"_s;
    }
    void malformedFilesAddNothing()
    {
        QFETCH(TransferFileKind, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        m_target->add(u"Already there"_s, {u"1"_s});
        const QString file = m_folder->filePath(u"malformed.file"_s);
        QVERIFY(writeFile(file, bytes));
        const BookTransfer::Result result = transfer(*m_target).importFrom(file, kind, {1, 3, 8});
        QVERIFY(result.outcome == BookTransfer::Result::Outcome::Failed);
        QVERIFY2(result.message.startsWith(u"Error of phone book import\n"_s), qPrintable(result.message));
        QVERIFY2(result.message.contains(reason), qPrintable(result.message));
        QCOMPARE(contactCount(m_target->database()), 1);
    }

    void accessFileWithoutBook2IsRefused()
    {
        const QString file = m_folder->filePath(u"other.mdb"_s);
        {
            TestBook other(file, u"other"_s, false);
            QSqlQuery(other.database()).exec(u"CREATE TABLE Other (x INTEGER)"_s);
        }
        const BookTransfer::Result result = transfer(*m_target).importFrom(file, TransferFileKind::Access, {1});
        QVERIFY(!result.ok());
        QVERIFY2(result.message.contains(u"Book2"_s), qPrintable(result.message));
        QCOMPARE(
            transfer(*m_target).importFrom(m_folder->filePath(u"missing.txt"_s), TransferFileKind::Text, {1}).message,
            u"This file does not exist"_s);
    }

    void jetFileIsRead()
    {
        const QString fixture = QStringLiteral(TERVO_FIXTURES_DIR "/jet4-datetest.mdb");
        if (!QFileInfo::exists(fixture)) {
            QSKIP("The Jet 4 fixture jet4-datetest.mdb is not present beside the source tree");
        }
        QVERIFY(JetFile::isJetFile(fixture));
        QVERIFY(!JetFile::isJetFile(m_folder->filePath(u"source.mdb"_s)));
        QString error;
        const std::optional<QStringList> tables = JetFile::tableNames(fixture, &error);
        QVERIFY2(tables, qPrintable(error));
        QVERIFY2(tables->contains(u"DateTest"_s), qPrintable(tables->join(u", "_s)));
        const std::optional<TransferTable> table = JetFile::readTable(fixture, u"datetest"_s, &error);
        QVERIFY2(table, qPrintable(error));
        QCOMPARE(table->columns, (QStringList{u"IDCol"_s, u"DateTimeCol"_s, u"DateCol"_s, u"TimeCol"_s,
                                              u"LongTextCol"_s, u"ShortTextCol"_s}));
        QVERIFY(!table->rows.isEmpty());
        // Dates the engine's own text would get wrong, and a line break inside a memo.
        QCOMPARE(table->rows[0].mid(0, 2), (QStringList{u"1"_s, u"2021-12-02 00:00:00"_s}));
        QVERIFY2(table->rows[1][1].startsWith(u"9999-"_s), qPrintable(table->rows[1][1]));
        QVERIFY2(table->rows[3][1].startsWith(u"0"_s), qPrintable(table->rows[3][1]));
        QCOMPARE(table->rows[5][4], u"New line\r\nin field"_s);
        for (const QStringList& row : table->rows) {
            QCOMPARE(row.size(), 6);
            bool ok = false;
            row[0].toInt(&ok);
            QVERIFY2(ok, qPrintable(row[0]));
            if (!row[1].isNull()) {
                QVERIFY2(QDateTime::fromString(row[1], u"yyyy-MM-dd hh:mm:ss"_s).isValid(), qPrintable(row[1]));
            }
        }
        QVERIFY(!JetFile::readTable(fixture, u"Book2"_s, &error));
        QCOMPARE(error, u"The file has no table Book2."_s);
    }

    void jetBookRowsBecomeContacts()
    {
        // Book2 as mdbtools hands it out: every value as text, yes/no as 1 and 0, columns in the file's order and
        // spelling, some of them unknown to this client, a missing value as a null text.
        const TransferTable book2{{u"ID"_s,      u"Nazwa"_s, u"Nr1"_s,    u"Typ1"_s, u"Nr2"_s,   u"Typ2"_s,
                                   u"Nr3"_s,     u"Typ3"_s,  u"Nr4"_s,    u"Typ4"_s, u"Nr5"_s,   u"Typ5"_s,
                                   u"Notes"_s,   u"Opis"_s,  u"OtwNot"_s, u"Fwd"_s,  u"FwdNr"_s, u"DefNr"_s,
                                   u"GroupID"_s, u"Email"_s, u"Extra"_s},
                                  {{u"12"_s,      u"Jan Kowalski"_s,
                                    u"21"_s,      u"1"_s,
                                    QString(),    u"2"_s,
                                    u"221"_s,     u"3"_s,
                                    QString(),    QString(),
                                    QString(),    u"2"_s,
                                    u"notatka"_s, u"opis"_s,
                                    u"1"_s,       u"2"_s,
                                    QString(),    u"2"_s,
                                    u"4"_s,       u"jan@example.com"_s,
                                    u"x"_s},
                                   {u"13"_s, u"Bez kolumn"_s}}};
        QString error;
        const std::optional<QList<Contact>> contacts =
            ContactFields::contacts(book2, TransferColumns::columnsOf(TransferColumns::allCodes()), 1, &error);
        QVERIFY2(contacts, qPrintable(error));
        Contact jan = contactNamed(u"Jan Kowalski"_s, {u"21"_s, QString(), u"221"_s});
        jan.types = {1, 2, 3, 2, 2};
        jan.notes = u"notatka"_s;
        jan.opis = u"opis"_s;
        jan.otwNot = true;
        jan.fwd = 2;
        jan.defNr = 2;
        jan.email = u"jan@example.com"_s;
        QCOMPARE(contacts->at(0), jan);
        QCOMPARE(contacts->at(1), contactNamed(u"Bez kolumn"_s, {}));

        // An older Book2 without DefNr, GroupID and Email is read by what it has.
        const TransferTable old{{u"Nazwa"_s, u"Nr1"_s, u"OtwNot"_s}, {{u"Stary"_s, u"5"_s, u"-1"_s}}};
        const std::optional<QList<Contact>> oldContacts = ContactFields::contacts(old, {}, 1, &error);
        QVERIFY(oldContacts && oldContacts->at(0).otwNot && !oldContacts->at(0).defNr);
    }

    void delimitedTextRoundTripsAnyTable()
    {
        const TransferTable table{{u"Nazwa"_s, u"Typ1"_s, u"Notes"_s},
                                  {{u"a,\"b\"\r\nc"_s, u"3"_s, QString()}, {QLatin1String(""), QString(), u"\n"_s}}};
        QString error;
        const std::optional<TransferTable> read = DelimitedText::read(DelimitedText::write(table), &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->columns, table.columns);
        QCOMPARE(read->rows, table.rows);
        QVERIFY(read->rows[1][0].isEmpty() && !read->rows[1][0].isNull());
        QVERIFY(read->rows[1][1].isNull());
    }

private:
    BookTransfer transfer(TestBook& book) { return BookTransfer(book.database(), m_dialogs); }

    std::optional<QTemporaryDir> m_folder; // a fresh one for each test
    FakeBookDialogs m_dialogs;
    std::unique_ptr<TestBook> m_source;
    std::unique_ptr<TestBook> m_target;
};

QTEST_GUILESS_MAIN(TestBookTransfer)
#include "TestBookTransfer.moc"
