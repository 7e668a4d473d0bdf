#include "FakeBookDialogs.h"
#include "OldBookFiles.h"
#include "books/database/BookConnection.h"
#include "books/database/BookIdentity.h"
#include "books/database/PhoneBookConnector.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the generator's numbers in turn.
IdentitySource scripted(QList<int> randoms, qint64 uptime)
{
    auto queue = std::make_shared<QList<int>>(std::move(randoms));
    return {[queue] { return queue->takeFirst(); },
            [uptime] {
                return uptime;
            }};
}

void writeFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old");
}

} // namespace

// Connecting one phone book on SQLite: creation, questions, upgrades of older files and the identity.
class TestPhoneBookConnector final : public QObject {
    Q_OBJECT

private slots:
    void firstRunCreatesFoldersAndFileSilently()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("data/PhoneBook"));
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::privateBook(folder), dialogs, scripted({100, 3}, 5000));
        const ConnectOutcome outcome = book.connect(QString(), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(book.state().connected);
        QVERIFY(book.state().defaults);
        QVERIFY(QFile::exists(folder + QStringLiteral("/book.mdb")));
        QVERIFY(dialogs.nothingShown());
        QCOMPARE(dialogs.waitTexts, QStringList{QStringLiteral("Connecting a phone book...\nPlease wait.")});
        QVERIFY(!dialogs.waitVisible);
        QCOMPARE(book.state().identity, 5100);

        QSqlDatabase database = book.connection().database();
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("SELECT ID, Nazwa FROM Groups")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toString(), QStringLiteral("Others"));
        QVERIFY(SqlEngines::hasTable(database, QStringLiteral("TelTypes2")));
        QVERIFY(SqlEngines::hasColumn(database, QStringLiteral("Book2"), QStringLiteral("GroupID")));
        // A local folder gets the write-ahead log; every commit reaches the disk.
        QVERIFY(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("wal"));
        QVERIFY(query.exec(QStringLiteral("PRAGMA synchronous")) && query.next());
        QCOMPARE(query.value(0).toInt(), 2);
    }

    void reopeningKeepsTheIdentityAndLeavesDefaults()
    {
        QTemporaryDir root;
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::privateBook(root.filePath(QStringLiteral("default"))), dialogs,
                                scripted({1, 2, 1, 1}, 0));
        QVERIFY(book.connect(QString(), true).ok);
        const qint32 identity = book.state().identity;
        QCOMPARE(identity, -1);
        const ConnectOutcome outcome = book.connect(root.filePath(QStringLiteral("configured")), true);
        QVERIFY(outcome.ok);
        QVERIFY(outcome.leftDefaults);
        QVERIFY(!book.state().defaults);
        QCOMPARE(book.state().identity, 1);
        QVERIFY(book.connect(root.filePath(QStringLiteral("default")), true).ok);
        QCOMPARE(book.state().identity, identity);
    }

    void questionsBeforeCreatingFolderAndFile()
    {
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("new"));
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);

        dialogs.answers = {false};
        ConnectOutcome outcome = book.connect(folder, false);
        QVERIFY(!outcome.ok);
        QCOMPARE(outcome.error, QStringLiteral("Invalid path to phone book"));
        QCOMPARE(dialogs.questions, QStringList{QStringLiteral("Folder %1 doesn't exist.\nCreate new?").arg(folder)});
        QVERIFY(book.state().defaults);
        QVERIFY(!book.state().connected);

        dialogs.answers = {true, false};
        outcome = book.connect(folder, false);
        QVERIFY(!outcome.ok);
        const QString file = folder + QStringLiteral("/book.mdb");
        QCOMPARE(outcome.error, QStringLiteral("No phone book file: ") + file);
        QCOMPARE(dialogs.questions.last(), QStringLiteral("Phone book file (%1) is not found.\nCreate new?").arg(file));
        QVERIFY(!QFile::exists(file));

        dialogs.answers = {true};
        QVERIFY(book.connect(folder, false).ok);
        QVERIFY(book.state().connected);
        QVERIFY(!dialogs.waitVisible);
    }

    void emptyPublicLocationStaysClosedWithoutMessage()
    {
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);
        const ConnectOutcome outcome = book.connect(QString(), false);
        QVERIFY(outcome.ok);
        QVERIFY(!book.state().connected);
        QVERIFY(!book.connection().isOpen());
        QVERIFY(dialogs.nothingShown());
        QVERIFY(dialogs.waitTexts.isEmpty());
    }

    void oldFormatBookIsUpgraded()
    {
        QTemporaryDir folder;
        {
            BookConnection old;
            QVERIFY(old.open(folder.path(), PhoneBookConnector::fileName(), nullptr));
            QSqlDatabase database = old.database();
            OldBookFiles::createOldBook(database);
        }
        if (QTest::currentTestFailed()) {
            return;
        }
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::privateBook(QString()), dialogs);
        const ConnectOutcome outcome = book.connect(folder.path(), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY2(dialogs.nothingShown(), qPrintable(dialogs.errors.join(u'\n')));
        QVERIFY(book.state().identity != 0);
        QSqlDatabase database = book.connection().database();
        OldBookFiles::verifyUpgradedBook(database);
        QVERIFY(SqlEngines::hasColumn(database, QStringLiteral("Book2"), QStringLiteral("FwdNr")));
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = "
                                          "'Idx_Nazwa'")) &&
                query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }

    void failedUpgradeLeavesTheOldFile()
    {
        QTemporaryDir folder;
        {
            BookConnection old;
            QVERIFY(old.open(folder.path(), PhoneBookConnector::fileName(), nullptr));
            QSqlDatabase database = old.database();
            OldBookFiles::createOldBook(database);
            // The old table holds a contact under a number Book2 uses already: the copy fails.
            OldBookFiles::exec(database, QStringLiteral("INSERT INTO Book (ID, Nazwa) VALUES (1, 'Double')"));
        }
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::privateBook(QString()), dialogs);
        QVERIFY(!book.connect(folder.path(), true).ok);
        QVERIFY(!book.state().connected);
        BookConnection reopened;
        QVERIFY(reopened.open(folder.path(), PhoneBookConnector::fileName(), nullptr));
        const QStringList tables = SqlEngines::tableNames(reopened.database());
        QVERIFY(tables.contains(QStringLiteral("book")));
        QVERIFY(tables.contains(QStringLiteral("teltypes")));
        QVERIFY(!tables.contains(QStringLiteral("info")));
        QVERIFY(!tables.contains(QStringLiteral("groups")));
    }

    void firstGenerationBookIsReportedOnlyBesideANewFile()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath(QStringLiteral("LBook.db")));
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::privateBook(QString()), dialogs);
        QVERIFY(book.connect(folder.path(), true).ok);
        QCOMPARE(dialogs.warnings.size(), 1);
        QVERIFY(dialogs.warnings.first().contains(folder.path()));
        QVERIFY(dialogs.warnings.first().contains(QStringLiteral("LBook.db")));

        // The book file exists now: no message.
        dialogs.warnings.clear();
        QVERIFY(book.connect(folder.path(), false).ok);
        QVERIFY(dialogs.nothingShown());
    }

    void identityOfANewFile_data()
    {
        QTest::addColumn<QList<int>>("randoms");
        QTest::addColumn<qint64>("uptime");
        QTest::addColumn<qint32>("identity");
        QTest::newRow("odd keeps the sign") << QList<int>{7, 1} << qint64(1000) << qint32(1007);
        QTest::newRow("even negates") << QList<int>{7, 4} << qint64(1000) << qint32(-1007);
        QTest::newRow("zero is replaced") << QList<int>{0, 1, 65535 + 41} << qint64(0) << qint32(42);
        QTest::newRow("tick count wraps at 32 bits") << QList<int>{1, 1, 9} << qint64(0x1FFFFFFFFLL) << qint32(10);
    }

    void identityOfANewFile()
    {
        QFETCH(QList<int>, randoms);
        QFETCH(qint64, uptime);
        QFETCH(qint32, identity);
        QCOMPARE(BookIdentity::make(scripted(randoms, uptime)), identity);
    }

    void namesOfTheBooks()
    {
        const BookState privateBook = BookState::privateBook(QStringLiteral("/p"));
        QCOMPARE(privateBook.displayName, QStringLiteral("Private phone book"));
        QCOMPARE(privateBook.nameFrom, QStringLiteral("private phone book"));
        QCOMPARE(privateBook.nameTo, QStringLiteral("private phone book"));
        QVERIFY(privateBook.isPrivate && !privateBook.isPublic);
        QCOMPARE(BookState::publicBook().nameTo, QStringLiteral("public phone book"));
        QCOMPARE(BookState::inflectedName("Others"), QStringLiteral("Others"));
    }

    void networkFileSystemsUseTheRollbackJournal()
    {
        QVERIFY(BookConnection::isNetworkFileSystemType(0x6969));      // NFS
        QVERIFY(BookConnection::isNetworkFileSystemType(0xFF534D42));  // CIFS
        QVERIFY(BookConnection::isNetworkFileSystemType(0xFE534D42));  // SMB2
        QVERIFY(BookConnection::isNetworkFileSystemType(0x65735546));  // FUSE (sshfs)
        QVERIFY(!BookConnection::isNetworkFileSystemType(0xEF53));     // ext4
        QVERIFY(!BookConnection::isNetworkFileSystemType(0x01021994)); // tmpfs
        QTemporaryDir folder;
        QVERIFY(!BookConnection::isOnNetworkFileSystem(folder.path()));
    }
};

QTEST_GUILESS_MAIN(TestPhoneBookConnector)
#include "TestPhoneBookConnector.moc"
