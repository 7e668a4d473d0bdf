#include "FakeBookDialogs.h"
#include "OldBookFiles.h"
#include "PostgresCluster.h"
#include "books/BookConnection.h"
#include "books/HistoryConnector.h"
#include "books/PhoneBookConnector.h"

#include <QElapsedTimer>
#include <QTest>

// A public phone book and a history on a PostgreSQL server, created and upgraded like the SQLite files.
class TestPostgresBook final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cluster = std::make_unique<PostgresCluster>();
        if (!m_cluster->unavailable().isEmpty()) {
            QSKIP(qPrintable(m_cluster->unavailable()));
        }
        QVERIFY2(m_cluster->isRunning(), qPrintable(m_cluster->error()));
    }

    void cleanupTestCase() { m_cluster.reset(); }

    void newPublicBookIsCreated()
    {
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("newbook")), qPrintable(m_cluster->error()));
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);
        const ConnectOutcome outcome = book.connect(m_cluster->location(QStringLiteral("newbook")), false);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(book.state().connected);
        QVERIFY(!book.state().defaults);
        QVERIFY(book.state().identity != 0);
        QVERIFY2(dialogs.nothingShown(), qPrintable(dialogs.errors.join(u'\n')));
        QSqlDatabase database = book.connection().database();
        QCOMPARE(database.driverName(), QStringLiteral("QPSQL"));
        for (const char* table : {"book2", "groups", "info", "teltypes2"}) {
            QVERIFY2(SqlEngines::tableNames(database).contains(QLatin1String(table)), table);
        }
        QSqlQuery query(database);
        QVERIFY(query.exec(QStringLiteral("SELECT ID, Nazwa FROM Groups")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toString(), QStringLiteral("Others"));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1) VALUES ('Ewa', '12')")));
        QVERIFY(query.exec(QStringLiteral("SELECT GroupID, DefNr FROM Book2")) && query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toInt(), 0);
        const qint32 identity = book.state().identity;
        query = QSqlQuery();
        database = QSqlDatabase();

        // A second open finds the book complete and keeps its identity.
        QVERIFY(book.connect(m_cluster->location(QStringLiteral("newbook")), true).ok);
        QCOMPARE(book.state().identity, identity);
    }

    void oldPublicBookIsUpgraded()
    {
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("oldbook")), qPrintable(m_cluster->error()));
        {
            BookConnection old;
            QString error;
            QVERIFY2(old.open(m_cluster->location(QStringLiteral("oldbook")), QString(), &error), qPrintable(error));
            QSqlDatabase database = old.database();
            OldBookFiles::createOldBook(database);
        }
        if (QTest::currentTestFailed()) {
            return;
        }
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);
        const ConnectOutcome outcome = book.connect(m_cluster->location(QStringLiteral("oldbook")), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY2(dialogs.nothingShown(), qPrintable(dialogs.errors.join(u'\n')));
        QSqlDatabase database = book.connection().database();
        OldBookFiles::verifyUpgradedBook(database);
    }

    void historyIsCreated()
    {
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("history")), qPrintable(m_cluster->error()));
        FakeBookDialogs dialogs;
        HistoryConnector history(QString(), dialogs);
        const ConnectOutcome outcome = history.connect(m_cluster->location(QStringLiteral("history")), true);
        QVERIFY2(outcome.ok, qPrintable(outcome.error));
        QVERIFY(dialogs.nothingShown());
        QSqlQuery query(history.connection().database());
        QVERIFY(query.exec(QStringLiteral("INSERT INTO History2 (Typ_Historia, NrTel_Historia) VALUES (1, '5')")));
        QVERIFY(query.exec(QStringLiteral("SELECT SmsID, KomentID, NrInitID FROM History2")) && query.next());
        QCOMPARE(query.value(0).toInt() + query.value(1).toInt() + query.value(2).toInt(), 0);
    }

    void missingServerFailsQuickly()
    {
        QTemporaryDir empty;
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);
        QElapsedTimer timer;
        timer.start();
        const ConnectOutcome outcome =
            book.connect(QStringLiteral("postgresql://tervo@/books?host=%1").arg(empty.path()), true);
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.error.isEmpty());
        QVERIFY(!book.state().connected);
        QVERIFY(timer.elapsed() < 5000);
    }

private:
    std::unique_ptr<PostgresCluster> m_cluster;
};

QTEST_GUILESS_MAIN(TestPostgresBook)
#include "TestPostgresBook.moc"
