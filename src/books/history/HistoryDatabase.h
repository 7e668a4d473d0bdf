#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class HistoryErrorPort;
class QSqlQuery;

// The open history database shared by the register's classes, and the one place that reports its failures.
class HistoryDatabase final {
public:
    HistoryDatabase(const QSqlDatabase& database, HistoryErrorPort& errors);

    QSqlDatabase& database() { return m_database; }

    // Prepares the statement and binds the values in order; reports and answers false when either fails.
    bool exec(QSqlQuery& query, const QString& statement, const QVariantList& values = {});
    // Runs one changing statement in a transaction of its own.
    bool write(const QString& statement, const QVariantList& values = {});
    // Runs an INSERT and answers the identity (column idColumn) of the new row, or -1 after reporting a failure.
    int insert(const QString& statement, const QString& idColumn, const QVariantList& values = {});
    // Runs a query for one integer; answers false after reporting a failure, and sets value to -1 when the query
    // found no row.
    bool selectInt(const QString& statement, const QVariantList& values, int& value);
    // Reports a failure with the driver's text.
    void report(const QString& detail);

private:
    QSqlDatabase m_database;
    HistoryErrorPort& m_errors;
};

// A transaction on the history database: rolled back when it goes out of scope without commit().
class HistoryTransaction final {
public:
    explicit HistoryTransaction(HistoryDatabase& database);
    ~HistoryTransaction();
    HistoryTransaction(const HistoryTransaction&) = delete;
    HistoryTransaction& operator=(const HistoryTransaction&) = delete;

    bool isOpen() const { return m_open; }
    bool commit();

private:
    HistoryDatabase& m_database;
    bool m_open = false;
};
