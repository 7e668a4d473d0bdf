#pragma once

#include "books/database/ColumnWidth.h"
#include "books/database/SchemaUpgrade.h"
#include "books/database/SqlEngine.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// Databases as earlier versions of the client left them, and the checks that they were brought up to date.
namespace OldBookFiles {

inline void exec(QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    QVERIFY2(query.exec(statement), qPrintable(statement + u' ' + query.lastError().text()));
}

// A book with the first table Book (two contacts), a Book2 (one contact) without DefNr, GroupID and Email whose
// numbers are 20 wide, and the old TelTypes.
inline void createOldBook(QSqlDatabase& database)
{
    const QString identity = SqlEngines::identityColumn(SqlEngines::of(database), QStringLiteral("Idx_ID"));
    QString numbers;
    for (int i = 1; i <= 5; ++i) {
        numbers += QStringLiteral(", Nr%1 VARCHAR(20), Typ%1 SMALLINT").arg(i);
    }
    exec(database,
         QStringLiteral("CREATE TABLE Book (ID INTEGER PRIMARY KEY, Nazwa VARCHAR(30)%1, Notes TEXT)").arg(numbers));
    exec(database, QStringLiteral("CREATE TABLE Book2 (ID %1, Nazwa VARCHAR(30)%2, Notes TEXT, Opis VARCHAR(200), "
                                  "OtwNot BOOLEAN, Fwd SMALLINT, FwdNr VARCHAR(26))")
                       .arg(identity, numbers));
    exec(database, QStringLiteral("CREATE INDEX Idx_Nazwa ON Book2 (Nazwa)"));
    exec(database, QStringLiteral("CREATE TABLE TelTypes (ID INTEGER, PhoneType VARCHAR(17))"));
    exec(database, QStringLiteral("INSERT INTO Book2 (ID, Nazwa, Nr1, Typ1) VALUES (1, 'Anna', '6001', 1)"));
    exec(database, QStringLiteral("INSERT INTO Book (ID, Nazwa, Nr1, Typ1, Notes) VALUES (7, 'Bogdan', '22334455', "
                                  "1, 'met in 1998')"));
    exec(database, QStringLiteral("INSERT INTO Book (ID, Nazwa, Nr2) VALUES (8, 'Celina', '601234567')"));
}

inline QStringList lowerTables(const QSqlDatabase& database)
{
    return SqlEngines::tableNames(database);
}

// The book made by createOldBook() after an upgrade.
inline void verifyUpgradedBook(QSqlDatabase& database)
{
    const QStringList tables = lowerTables(database);
    QVERIFY(!tables.contains(QStringLiteral("book")));
    QVERIFY(!tables.contains(QStringLiteral("teltypes")));
    for (const char* table : {"book2", "groups", "info", "teltypes2"}) {
        QVERIFY2(tables.contains(QLatin1String(table)), table);
    }
    const QSqlRecord book = SqlEngines::record(database, QStringLiteral("Book2"));
    for (const char* column : {"DefNr", "GroupID", "Email"}) {
        QVERIFY2(book.indexOf(QLatin1String(column)) >= 0, column);
    }
    SchemaUpgrade schema(database);
    for (const char* column : {"Nr1", "Nr2", "Nr3", "Nr4", "Nr5"}) {
        QCOMPARE(ColumnWidth::declared(schema, QStringLiteral("Book2"), QLatin1String(column)), 26);
    }
    QSqlQuery query(database);
    QVERIFY(query.exec(QStringLiteral("SELECT ID, Nazwa, Nr1, Nr2, Notes, GroupID FROM Book2 ORDER BY ID")));
    QStringList rows;
    while (query.next()) {
        rows.append(QStringList{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                query.value(3).toString(), query.value(4).toString(), query.value(5).toString()}
                        .join(u'|'));
    }
    QCOMPARE(rows, QStringList({QStringLiteral("1|Anna|6001|||0"), QStringLiteral("7|Bogdan|22334455||met in 1998|0"),
                                QStringLiteral("8|Celina||601234567||0")}));
    // A long number fits, and a new contact gets a number after the copied ones.
    QVERIFY(
        query.exec(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr5) VALUES ('Dorota', '00481234567890123456789012')")));
    QVERIFY(query.exec(QStringLiteral("SELECT ID, GroupID FROM Book2 WHERE Nazwa = 'Dorota'")) && query.next());
    QVERIFY(query.value(0).toInt() > 8);
    QCOMPARE(query.value(1).toInt(), 0);
    QVERIFY(query.exec(QStringLiteral("SELECT ID, Nazwa FROM Groups")) && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QCOMPARE(query.value(1).toString(), QStringLiteral("Others"));
}

} // namespace OldBookFiles
