#include "books/history/HistorySideTables.h"

#include "books/history/HistoryDatabase.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

struct SideTable {
    QString table;
    QString column;
    QString reference; // the History2 column pointing into the table
    int width;         // 0: unlimited
};

SideTable describe(HistorySideTables::Table table)
{
    switch (table) {
    case HistorySideTables::Table::SmsTexts:
        return {QStringLiteral("Sms"), QStringLiteral("Wiadomosc"), QStringLiteral("SmsID"), 0};
    case HistorySideTables::Table::CallerNames:
        return {QStringLiteral("Komentarz"), QStringLiteral("Koment"), QStringLiteral("KomentID"), 30};
    case HistorySideTables::Table::CalledNumbers:
        break;
    }
    return {QStringLiteral("NrInit"), QStringLiteral("NrInicjator"), QStringLiteral("NrInitID"), 32};
}

} // namespace

HistorySideTables::HistorySideTables(HistoryDatabase& database)
    : m_database(database)
{
}

int HistorySideTables::store(Table table, const QString& text)
{
    if (text.isEmpty()) {
        return 0;
    }
    const SideTable side = describe(table);
    const QString stored = side.width > 0 ? text.left(side.width) : text;
    HistoryTransaction transaction(m_database);
    int id = -1;
    if (!transaction.isOpen() ||
        !m_database.selectInt(
            QStringLiteral("SELECT ID FROM %1 WHERE %2 = ? ORDER BY ID LIMIT 1").arg(side.table, side.column), {stored},
            id)) {
        return -1;
    }
    if (id < 0) {
        id = m_database.insert(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(side.table, side.column),
                               QStringLiteral("ID"), {stored});
    }
    return id >= 0 && transaction.commit() ? id : -1;
}

QString HistorySideTables::text(Table table, int id)
{
    const SideTable side = describe(table);
    QSqlQuery query(m_database.database());
    if (!m_database.exec(query, QStringLiteral("SELECT %1 FROM %2 WHERE ID = ?").arg(side.column, side.table), {id}) ||
        !query.next()) {
        return {};
    }
    return query.value(0).toString();
}

bool HistorySideTables::deleteWhenUnused(Table table, int id)
{
    if (id <= 0) {
        return false;
    }
    const SideTable side = describe(table);
    HistoryTransaction transaction(m_database);
    int users = -1;
    if (!transaction.isOpen() ||
        !m_database.selectInt(QStringLiteral("SELECT COUNT(*) FROM History2 WHERE %1 = ?").arg(side.reference), {id},
                              users) ||
        users != 0) {
        return false;
    }
    {
        QSqlQuery remove(m_database.database());
        if (!m_database.exec(remove, QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(side.table), {id}) ||
            remove.numRowsAffected() != 1) {
            return false;
        }
    }
    return transaction.commit();
}

bool HistorySideTables::clearAll()
{
    // Entries that pointed at a deleted text point at row 0, "none": an engine that keeps the references
    // (PostgreSQL does) refuses to delete a row still pointed at.
    return forEachTable(
        {QStringLiteral("UPDATE History2 SET %2 = 0 WHERE %2 > 0"), QStringLiteral("DELETE FROM %1 WHERE ID > 0")});
}

bool HistorySideTables::clearUnused()
{
    return forEachTable({QStringLiteral("DELETE FROM %1 WHERE ID > 0 AND NOT EXISTS (SELECT 1 FROM History2 WHERE "
                                        "History2.%2 = %1.ID)")});
}

bool HistorySideTables::forEachTable(const QStringList& statements)
{
    HistoryTransaction transaction(m_database);
    if (!transaction.isOpen()) {
        return false;
    }
    for (const Table table : {Table::SmsTexts, Table::CallerNames, Table::CalledNumbers}) {
        const SideTable side = describe(table);
        for (const QString& statement : statements) {
            QSqlQuery query(m_database.database());
            const QString filled = QString(statement).replace(u"%1"_qs, side.table).replace(u"%2"_qs, side.reference);
            if (!m_database.exec(query, filled)) {
                return false;
            }
        }
    }
    return transaction.commit();
}
