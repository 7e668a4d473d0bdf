#pragma once

#include "books/database/SqlEngine.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

// The upgrade of one database on open, run as a single transaction so that a failure leaves the file as it was.
// Optional steps run under a savepoint: a failed one is undone alone and the rest goes on (PostgreSQL refuses every
// further statement of a transaction after an error until it is rolled back to a savepoint).
class SchemaUpgrade final {
public:
    explicit SchemaUpgrade(QSqlDatabase database);

    bool begin();
    bool commit();
    void rollback();

    // Runs the statements in order; false at the first failure (see error()).
    bool run(const QStringList& statements);
    // One statement with bound values.
    bool exec(const QString& statement, const QVariantList& values);
    // Runs step under a savepoint; when it fails the savepoint is rolled back and false returned.
    bool runOptional(const std::function<bool()>& step);

    bool hasTable(const QString& table) const;
    bool hasColumn(const QString& table, const QString& column) const;
    // Copies every row of from into to, column by column of the same name, then drops from. identityColumn is
    // the counter of to, whose next value must follow the copied rows.
    bool moveRows(const QString& from, const QString& to, const QString& identityColumn);
    // Records a failure of a step run outside exec(); always false.
    bool fail(const QString& error)
    {
        m_error = error;
        return false;
    }
    // The first column of the first row of a query, or an invalid value.
    QVariant value(const QString& statement);

    SqlEngine engine() const { return m_engine; }
    QSqlDatabase& database() { return m_database; }
    const QString& error() const { return m_error; }

private:
    QSqlDatabase m_database;
    SqlEngine m_engine;
    QString m_error;
    int m_savepoints = 0;
};
