#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>

// The two database engines the books and the history run on, and the few places where their SQL differs.
enum class SqlEngine { Sqlite, Postgres };

namespace SqlEngines {

SqlEngine of(const QSqlDatabase& database);

// The column type of an automatic identity that is the table's primary key under the constraint name given.
QString identityColumn(SqlEngine engine, const QString& constraintName);

// The names of the tables in the database, lower-cased (engines differ in the case they report).
QStringList tableNames(const QSqlDatabase& database);
bool hasTable(const QSqlDatabase& database, const QString& table);
bool hasColumn(const QSqlDatabase& database, const QString& table, const QString& column);
// The columns of table; the PostgreSQL driver looks names up as given, so unquoted ones are folded to lower case.
QSqlRecord record(const QSqlDatabase& database, const QString& table);

// Sets query up for a result of many rows read once from first to last. SQLite then keeps no copy of the rows
// read; the PostgreSQL driver would instead fetch them from the server one row at a time, which takes longer than
// the rows themselves, so there the whole result comes at once.
void readOnceThrough(QSqlQuery& query, const QSqlDatabase& database);

} // namespace SqlEngines
