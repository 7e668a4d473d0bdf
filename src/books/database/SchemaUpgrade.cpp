#include "books/database/SchemaUpgrade.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

SchemaUpgrade::SchemaUpgrade(QSqlDatabase database)
    : m_database(std::move(database))
    , m_engine(SqlEngines::of(m_database))
{
}

bool SchemaUpgrade::begin()
{
    if (m_database.transaction()) {
        return true;
    }
    m_error = m_database.lastError().text();
    return false;
}

bool SchemaUpgrade::commit()
{
    if (m_database.commit()) {
        return true;
    }
    m_error = m_database.lastError().text();
    m_database.rollback();
    return false;
}

void SchemaUpgrade::rollback()
{
    m_database.rollback();
}

bool SchemaUpgrade::run(const QStringList& statements)
{
    for (const QString& statement : statements) {
        if (!exec(statement, {})) {
            return false;
        }
    }
    return true;
}

bool SchemaUpgrade::exec(const QString& statement, const QVariantList& values)
{
    QSqlQuery query(m_database);
    bool ok = false;
    if (values.isEmpty()) {
        ok = query.exec(statement);
    } else if (query.prepare(statement)) {
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        ok = query.exec();
    }
    if (!ok) {
        m_error = query.lastError().text();
    }
    return ok;
}

bool SchemaUpgrade::runOptional(const std::function<bool()>& step)
{
    const QString name = QStringLiteral("upgrade_step_%1").arg(++m_savepoints);
    if (!exec(QStringLiteral("SAVEPOINT %1").arg(name), {})) {
        return false;
    }
    if (step()) {
        return exec(QStringLiteral("RELEASE SAVEPOINT %1").arg(name), {});
    }
    const QString stepError = m_error;
    exec(QStringLiteral("ROLLBACK TO SAVEPOINT %1").arg(name), {});
    exec(QStringLiteral("RELEASE SAVEPOINT %1").arg(name), {});
    m_error = stepError;
    return false;
}

bool SchemaUpgrade::hasTable(const QString& table) const
{
    return SqlEngines::hasTable(m_database, table);
}

bool SchemaUpgrade::hasColumn(const QString& table, const QString& column) const
{
    return SqlEngines::hasColumn(m_database, table, column);
}

bool SchemaUpgrade::moveRows(const QString& from, const QString& to, const QString& identityColumn)
{
    // An older table has fewer columns than its successor, so the rows are copied by name, not by position. The
    // names come from the file; only plain identifiers are used in the statement.
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const QSqlRecord target = SqlEngines::record(m_database, to);
    const QSqlRecord source = SqlEngines::record(m_database, from);
    QStringList columns;
    for (int i = 0; i < source.count(); ++i) {
        const QString name = source.fieldName(i);
        if (target.indexOf(name) >= 0 && plainName.match(name).hasMatch()) {
            columns.append(name);
        }
    }
    if (columns.isEmpty()) {
        m_error = QStringLiteral("%1 shares no column with %2").arg(from, to);
        return false;
    }
    const QString list = columns.join(QStringLiteral(", "));
    if (!run({QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(to, list, from),
              QStringLiteral("DROP TABLE %1").arg(from)})) {
        return false;
    }
    if (m_engine == SqlEngine::Postgres && columns.contains(identityColumn, Qt::CaseInsensitive)) {
        // Rows copied with their own numbers leave the identity's sequence behind them.
        return exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                   "(SELECT COALESCE(MAX(%2), 0) + 1 FROM %1), false)")
                        .arg(to.toLower(), identityColumn.toLower()),
                    {});
    }
    return true;
}

QVariant SchemaUpgrade::value(const QString& statement)
{
    QSqlQuery query(m_database);
    if (query.exec(statement) && query.next()) {
        return query.value(0);
    }
    m_error = query.lastError().text();
    return {};
}
