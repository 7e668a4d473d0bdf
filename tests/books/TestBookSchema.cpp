#include "books/database/BookSchema.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// The schema of a new phone book and a new history on SQLite.
class TestBookSchema final : public QObject {
    Q_OBJECT

private slots:
    void newPhoneBookHasEveryTableColumnAndGroupZero()
    {
        QTemporaryDir folder;
        {
            QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("book"));
            database.setDatabaseName(folder.filePath(QStringLiteral("book.mdb")));
            QVERIFY(database.open());
            QString error;
            QVERIFY2(BookSchema::createPhoneBook(database, QStringLiteral("Others"), 1234, &error), qPrintable(error));
            for (const char* table : {"Book2", "Groups", "TelTypes2", "Info"}) {
                QVERIFY2(SqlEngines::hasTable(database, QLatin1String(table)), table);
            }
            for (const char* column : {"ID", "Nazwa", "Nr5", "Typ5", "Notes", "Opis", "Email", "OtwNot", "Fwd", "FwdNr",
                                       "DefNr", "GroupID"}) {
                QVERIFY2(SqlEngines::hasColumn(database, QStringLiteral("Book2"), QLatin1String(column)), column);
            }
            QSqlQuery query(QStringLiteral("SELECT ID, Nazwa FROM Groups"), database);
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 0);
            QCOMPARE(query.value(1).toString(), QStringLiteral("Others"));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1) VALUES ('Jan', '600')")));
            QVERIFY(query.exec(QStringLiteral("SELECT Typ1, Typ2, GroupID, DefNr, OtwNot FROM Book2")));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 1);
            QCOMPARE(query.value(1).toInt(), 2);
            QCOMPARE(query.value(2).toInt(), 0);
            QCOMPARE(query.value(3).toInt(), 0);
            QCOMPARE(query.value(4).toBool(), false);
            QVERIFY(query.exec(QStringLiteral("SELECT Hash FROM Info")) && query.next());
            QCOMPARE(query.value(0).toInt(), 1234);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("book"));
    }

    void newHistoryHasSideTablesWithRowZero()
    {
        QTemporaryDir folder;
        {
            QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("history"));
            database.setDatabaseName(folder.filePath(QStringLiteral("history.mdb")));
            QVERIFY(database.open());
            QString error;
            QVERIFY2(BookSchema::createHistory(database, &error), qPrintable(error));
            for (const char* column : {"SmsID", "ZlecenieID", "KomentID", "NrInitID", "Reserved_Historia"}) {
                QVERIFY2(SqlEngines::hasColumn(database, QStringLiteral("History2"), QLatin1String(column)), column);
            }
            QSqlQuery query(database);
            for (const char* table : {"Sms", "Komentarz", "NrInit"}) {
                QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID = 0").arg(QLatin1String(table))));
                QVERIFY(query.next());
                QCOMPARE(query.value(0).toInt(), 1);
            }
            QVERIFY(query.exec(QStringLiteral("INSERT INTO History2 (Typ_Historia, NrTel_Historia) VALUES (1, '5')")));
            QVERIFY(query.exec(QStringLiteral("SELECT SmsID, KomentID, NrInitID, ID_Historia FROM History2")));
            QVERIFY(query.next());
            QCOMPARE(query.value(0).toInt(), 0);
            QCOMPARE(query.value(1).toInt(), 0);
            QCOMPARE(query.value(2).toInt(), 0);
            QVERIFY(query.value(3).toInt() > 0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("history"));
    }
};

QTEST_GUILESS_MAIN(TestBookSchema)
#include "TestBookSchema.moc"
