#include "books/history/HistoryDatabase.h"

#include "books/history/HistoryErrorPort.h"
#include "settings/Lang.h"

#include <QSqlError>
#include <QSqlQuery>

using Lang::_;

HistoryDatabase::HistoryDatabase(const QSqlDatabase& database, HistoryErrorPort& errors)
    : m_database(database)
    , m_errors(errors)
{
}

bool HistoryDatabase::exec(QSqlQuery& query, const QString& statement, const QVariantList& values)
{
    if (!query.prepare(statement)) {
        report(query.lastError().text());
        return false;
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        report(query.lastError().text());
        return false;
    }
    return true;
}

bool HistoryDatabase::write(const QString& statement, const QVariantList& values)
{
    HistoryTransaction transaction(*this);
    if (!transaction.isOpen()) {
        return false;
    }
    {
        QSqlQuery query(m_database);
        if (!exec(query, statement, values)) {
            return false;
        }
    }
    return transaction.commit();
}

int HistoryDatabase::insert(const QString& statement, const QString& idColumn, const QVariantList& values)
{
    // Both engines answer the new identity through RETURNING; SQLite since 3.35.
    QSqlQuery query(m_database);
    if (!exec(query, statement + QStringLiteral(" RETURNING ") + idColumn, values)) {
        return -1;
    }
    if (!query.next()) {
        report(query.lastError().text());
        return -1;
    }
    return query.value(0).toInt();
}

bool HistoryDatabase::selectInt(const QString& statement, const QVariantList& values, int& value)
{
    QSqlQuery query(m_database);
    if (!exec(query, statement, values)) {
        return false;
    }
    value = query.next() ? query.value(0).toInt() : -1;
    return true;
}

void HistoryDatabase::report(const QString& detail)
{
    m_errors.showHistoryError(_("Error of history service"), detail);
}

HistoryTransaction::HistoryTransaction(HistoryDatabase& database)
    : m_database(database)
{
    m_open = m_database.database().transaction();
    if (!m_open) {
        m_database.report(m_database.database().lastError().text());
    }
}

HistoryTransaction::~HistoryTransaction()
{
    if (m_open) {
        m_database.database().rollback();
    }
}

bool HistoryTransaction::commit()
{
    if (!m_open) {
        return false;
    }
    m_open = false;
    if (!m_database.database().commit()) {
        m_database.report(m_database.database().lastError().text());
        m_database.database().rollback();
        return false;
    }
    return true;
}
