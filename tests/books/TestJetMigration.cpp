#include "FakeBookDialogs.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/PhoneBookConnector.h"
#include "books/history/HistoryConnector.h"
#include "books/transfer/JetBookConversion.h"
#include "books/transfer/JetFile.h"
#include "books/transfer/JetHistoryConversion.h"
#include "books/transfer/JetMigration.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Fixture = QStringLiteral(TERVO_FIXTURES_DIR "/jet4-datetest.mdb");

// A Jet file standing where the client opens a database: the public MDB Tools test file, which has neither a book
// nor a history, so the tests hand the conversion the tables a file of the Windows generation holds.
bool placeJetFile(const QString& path)
{
    QFile::remove(path);
    return QFile::copy(Fixture, path) && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

// Book2, Groups and Info as mdbtools reads them from a book of the Windows generation.
JetBookConversion::Tables windowsBook()
{
    JetBookConversion::Tables tables;
    tables.book2 = {{u"ID"_s, u"Nazwa"_s, u"Nr1"_s, u"Typ1"_s, u"Nr2"_s, u"Typ2"_s, u"Notes"_s, u"OtwNot"_s, u"Fwd"_s,
                     u"FwdNr"_s, u"DefNr"_s, u"GroupID"_s, u"Email"_s},
                    {{u"12"_s, u"Jan Kowalski"_s, u"21"_s, u"1"_s, u"226001234"_s, u"3"_s, u"notatka\r\nz Łodzi"_s,
                      u"1"_s, u"1"_s, u"600999"_s, u"1"_s, u"3"_s, u"jan@example.com"_s},
                     {u"15"_s, u"Żaneta"_s, QString(), QString(), u"601"_s, QString(), QString(), u"0"_s, u"7"_s,
                      QString(), QString(), u"9"_s, QString()}}};
    tables.groups = TransferTable{{u"ID"_s, u"Nazwa"_s, u"Opis"_s},
                                  {{u"0"_s, u"Pozostali"_s, QString()}, {u"3"_s, u"Klienci"_s, u"ważni"_s}}};
    tables.identity = 4242;
    return tables;
}

JetHistoryConversion::Tables windowsHistory()
{
    JetHistoryConversion::Tables tables;
    tables.history2 = {{u"ID_Historia"_s, u"Typ_Historia"_s, u"Data1_Historia"_s, u"Czas1_Historia"_s,
                        u"Data2_Historia"_s, u"Czas2_Historia"_s, u"NrTel_Historia"_s, u"Tluste_Historia"_s,
                        u"Stracone_Historia"_s, u"JestNagranie_Historia"_s, u"Archiwum_Historia"_s,
                        u"ErecId_Historia"_s, u"SmsID"_s, u"ZlecenieID"_s, u"KomentID"_s},
                       {{u"7"_s, u"1"_s, u"2021-12-02 00:00:00"_s, u"1899-12-30 14:05:09"_s, u"2021-12-02 00:00:00"_s,
                         u"1899-12-30 14:06:00"_s, u"600123456"_s, u"1"_s, u"0"_s, u"0"_s, u"1"_s, u"0001234"_s, u"0"_s,
                         QString(), u"2"_s},
                        {u"9"_s, u"6"_s, u"2021-12-03 00:00:00"_s, u"1899-12-30 08:00:00"_s, QString(), QString(),
                         u"601"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, QString(), u"5"_s, u"300"_s, u"77"_s}}};
    tables.sms = TransferTable{{u"ID"_s, u"Wiadomosc"_s}, {{u"0"_s, u" "_s}, {u"5"_s, u"Dzień dobry, \"test\""_s}}};
    tables.komentarz = TransferTable{{u"ID"_s, u"Koment"_s}, {{u"2"_s, u"Recepcja"_s}}};
    return tables;
}

QList<QVariantList> rows(const QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    query.exec(statement);
    QList<QVariantList> result;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i) {
            row.append(query.value(i));
        }
        result.append(row);
    }
    return result;
}

} // namespace

// Books and histories of the Windows generation converted on open: the rows by column name into a new file, the
// old file kept beside it, the user told; a file that cannot be converted is left as it was.
class TestJetMigration final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!QFileInfo::exists(Fixture)) {
            QSKIP("The Jet 4 fixture jet4-datetest.mdb is not present beside the source tree");
        }
        m_folder.emplace();
        m_dialogs = FakeBookDialogs();
    }
    void cleanup() { m_folder.reset(); }

    void bookIsConvertedWithEveryContactAndGroup()
    {
        const QString file = m_folder->filePath(u"book.mdb"_s);
        QVERIFY(placeJetFile(file));
        const JetMigration::Outcome outcome = JetMigration::convert(
            JetMigration::Kind::Book, m_folder->path(), u"book.mdb"_s,
            [](const QString& path, QSqlDatabase& target, QString* error) {
                return JetFile::isJetFile(path) && JetBookConversion::write(windowsBook(), target, error);
            });
        QVERIFY2(outcome.result == JetMigration::Outcome::Result::Converted, qPrintable(outcome.message));
        QCOMPARE(outcome.message, u"The phone book %1 of the Windows version has been converted for this version.\n"
                                  "The original file is kept as book-windows.mdb."_s.arg(file));
        QVERIFY(JetFile::isJetFile(m_folder->filePath(u"book-windows.mdb"_s)));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

        // The converted file opens as any book of this client, without a question and without a conversion.
        PhoneBookConnector connector(BookState::privateBook(m_folder->path()), m_dialogs);
        const ConnectOutcome opened = connector.connect(m_folder->path(), false);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QVERIFY(m_dialogs.nothingShown());
        QCOMPARE(connector.state().identity, 4242);
        const QSqlDatabase database = connector.connection().database();
        QCOMPARE(rows(database, u"SELECT ID, Nazwa, COALESCE(Opis, 'none') FROM Groups ORDER BY ID"_s),
                 (QList<QVariantList>{{0, u"Pozostali"_s, u"none"_s}, {3, u"Klienci"_s, u"ważni"_s}}));
        QCOMPARE(rows(database, u"SELECT ID, GroupID, Typ2, Fwd, COALESCE(DefNr, -1), OtwNot FROM Book2 ORDER BY ID"_s),
                 (QList<QVariantList>{{12, 3, 3, 1, 1, 1}, {15, 0, 2, 0, -1, 0}}));
        PhoneBook book(database);
        QCOMPARE(book.lookupName(u"226001234"_s), u"Jan Kowalski"_s);
        QCOMPARE(book.contact(12)->notes, u"notatka\r\nz Łodzi"_s);
        // New contacts follow the converted ones.
        QSqlQuery insert(database);
        QVERIFY(insert.exec(u"INSERT INTO Book2 (Nazwa) VALUES ('Nowy') RETURNING ID"_s) && insert.next());
        QCOMPARE(insert.value(0).toInt(), 16);
    }

    void historyIsConvertedWithKindsAndDates()
    {
        QVERIFY(placeJetFile(m_folder->filePath(u"history.mdb"_s)));
        const JetMigration::Outcome outcome =
            JetMigration::convert(JetMigration::Kind::History, m_folder->path(), u"history.mdb"_s,
                                  [](const QString&, QSqlDatabase& target, QString* error) {
                                      return JetHistoryConversion::write(windowsHistory(), target, error);
                                  });
        QVERIFY2(outcome.result == JetMigration::Outcome::Result::Converted, qPrintable(outcome.message));
        QVERIFY(outcome.message.contains(u"history-windows.mdb"_s));

        HistoryConnector history(QString(), m_dialogs);
        const ConnectOutcome opened = history.connect(m_folder->path(), false);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QVERIFY(m_dialogs.nothingShown());
        const QSqlDatabase database = history.connection().database();
        const QList<QVariantList> entries =
            rows(database, u"SELECT ID_Historia, Typ_Historia, Data1_Historia, Czas1_Historia, Data2_Historia, "
                           "NrTel_Historia, Tluste_Historia, Archiwum_Historia, ErecId_Historia, SmsID, ZlecenieID, "
                           "KomentID, NrInitID, Reserved_Historia FROM History2 ORDER BY ID_Historia"_s);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0][0].toInt(), 7);
        QCOMPARE(entries[0][1].toInt(), 1);
        QCOMPARE(entries[0][2].toDate(), QDate(2021, 12, 2));
        QCOMPARE(entries[0][3].toTime(), QTime(14, 5, 9));
        QCOMPARE(entries[0][5].toString(), u"600123456"_s);
        QVERIFY(entries[0][6].toBool() && entries[0][7].toBool());
        QCOMPARE(entries[0][8].toString(), u"0001234"_s);
        QCOMPARE(entries[0][11].toInt(), 2);
        QVERIFY(entries[1][4].isNull());
        QCOMPARE(entries[1][9].toInt(), 5);
        QCOMPARE(entries[1][10].toInt(), 300);
        // The caller name 77 is not in the file: the entry points to "none".
        QCOMPARE(entries[1][11].toInt(), 0);
        QCOMPARE(entries[1][12].toInt(), 0);
        QVERIFY(!entries[1][13].toBool());
        QCOMPARE(rows(database, u"SELECT Wiadomosc FROM Sms WHERE ID = 5"_s),
                 QList<QVariantList>{{u"Dzień dobry, \"test\""_s}});
        QCOMPARE(rows(database, u"SELECT Koment FROM Komentarz WHERE ID = 2"_s), QList<QVariantList>{{u"Recepcja"_s}});
    }

    // The real reader on a Jet file that is neither a book nor a history: the open fails with the reason, once in
    // a box, and the file stays as it was, with nothing left beside it.
    void unconvertibleFileIsLeftAsItWas()
    {
        const QString book = m_folder->filePath(u"book.mdb"_s);
        QVERIFY(placeJetFile(book));
        const QByteArray before = readFile(book);
        PhoneBookConnector connector(BookState::privateBook(m_folder->path()), m_dialogs);
        ConnectOutcome opened = connector.connect(m_folder->path(), true);
        QVERIFY(!opened.ok);
        QCOMPARE(opened.error, u"The phone book %1 of the Windows version cannot be converted: The file has no "
                               "table Book."_s.arg(book));
        QCOMPARE(m_dialogs.errors, QStringList{opened.error});
        opened = connector.connect(m_folder->path(), true, DatabaseLocation::Creation::Forbidden);
        QVERIFY(!opened.ok);
        QCOMPARE(m_dialogs.errors.size(), 1);
        QCOMPARE(readFile(book), before);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"book.mdb"_s});

        QVERIFY(placeJetFile(m_folder->filePath(u"history.mdb"_s)));
        HistoryConnector history(QString(), m_dialogs);
        opened = history.connect(m_folder->path(), true);
        QVERIFY(!opened.ok);
        QVERIFY2(opened.error.endsWith(u"cannot be converted: The file has no table History."_s),
                 qPrintable(opened.error));
    }

    void anotherClientsConversionIsTakenUp()
    {
        const QString book = m_folder->filePath(u"book.mdb"_s);
        QVERIFY(placeJetFile(book));
        QVERIFY(writeFile(m_folder->filePath(u"book-windows.mdb"_s), "an older copy"));
        // While this client converts, another one finishes first: the old file has gone, a new one stands there.
        const JetMigration::Outcome outcome =
            JetMigration::convert(JetMigration::Kind::Book, m_folder->path(), u"book.mdb"_s,
                                  [this, &book](const QString&, QSqlDatabase& target, QString* error) {
                                      QFile::rename(book, m_folder->filePath(u"book-windows-2.mdb"_s));
                                      writeFile(book, QByteArray("SQLite format 3\0", 16));
                                      return JetBookConversion::write(windowsBook(), target, error);
                                  });
        QVERIFY(outcome.result == JetMigration::Outcome::Result::NothingToDo);
        QCOMPARE(readFile(book), QByteArray("SQLite format 3\0", 16));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
        QCOMPARE(JetMigration::keptName(m_folder->path(), u"book.mdb"_s), u"book-windows-3.mdb"_s);
    }

private:
    std::optional<QTemporaryDir> m_folder;
    FakeBookDialogs m_dialogs;
};

QTEST_GUILESS_MAIN(TestJetMigration)
#include "TestJetMigration.moc"
