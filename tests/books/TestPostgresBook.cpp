#include "FakeBookDialogs.h"
#include "OldBookFiles.h"
#include "PostgresCluster.h"
#include "books/database/BookConnection.h"
#include "books/database/PhoneBookConnector.h"
#include "books/history/HistoryConnector.h"

#include <QElapsedTimer>
#include <QSqlQuery>
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

    void bookInTheOwnersSchemaOpensAgain()
    {
        // The usual set-up on PostgreSQL 15, where the public schema is no longer writable by everyone.
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("ownschema")), qPrintable(m_cluster->error()));
        QVERIFY2(
            m_cluster->execute(QStringLiteral("ownschema"),
                               {QStringLiteral("CREATE SCHEMA AUTHORIZATION %1").arg(PostgresCluster::userName())}),
            qPrintable(m_cluster->error()));
        const QString location = m_cluster->location(QStringLiteral("ownschema"));
        FakeBookDialogs dialogs;
        PhoneBookConnector book(BookState::publicBook(), dialogs);
        QVERIFY(book.connect(location, true).ok);
        const qint32 identity = book.state().identity;
        {
            QSqlQuery query(book.connection().database());
            QVERIFY(query.exec(QStringLiteral("SELECT schemaname FROM pg_tables WHERE tablename = 'book2'")));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toString(), PostgresCluster::userName());
            QVERIFY(query.exec(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1) VALUES ('Ewa', '12')")));
        }
        for (int open = 0; open < 2; ++open) {
            const ConnectOutcome outcome = book.connect(location, true);
            QVERIFY2(outcome.ok, qPrintable(outcome.error));
            QCOMPARE(book.state().identity, identity);
        }
        QVERIFY2(dialogs.nothingShown(), qPrintable(dialogs.errors.join(u'\n')));
        QSqlQuery count(book.connection().database());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM Book2")) && count.next());
        QCOMPARE(count.value(0).toInt(), 1);
    }

    void statementsAndLocksHaveTheCommandTimeOut()
    {
        QVERIFY2(m_cluster->createDatabase(QStringLiteral("timeouts")), qPrintable(m_cluster->error()));
        BookConnection connection;
        QString error;
        QVERIFY2(connection.open(m_cluster->location(QStringLiteral("timeouts")), QString(), &error),
                 qPrintable(error));
        QSqlQuery query(connection.database());
        for (const char* setting : {"statement_timeout", "lock_timeout"}) {
            QVERIFY(query.exec(QStringLiteral("SHOW %1").arg(QLatin1String(setting))) && query.next());
            QCOMPARE(query.value(0).toString(), QStringLiteral("1s"));
        }
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
