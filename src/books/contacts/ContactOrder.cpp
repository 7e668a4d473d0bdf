#include "books/contacts/ContactOrder.h"

#include "books/database/SqlEngine.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

std::optional<QList<ContactOrder::Key>> keys(const QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    SqlEngines::readOnceThrough(query, database);
    if (!query.exec(statement)) {
        return std::nullopt;
    }
    QList<ContactOrder::Key> found;
    while (query.next()) {
        found.append({query.value(0).toInt(), query.value(1).isNull() ? 0 : query.value(1).toInt()});
    }
    return found;
}

} // namespace

std::optional<QList<ContactOrder::Key>> ContactOrder::byGroup(const QSqlDatabase& database)
{
    // Idx_GrupaNazwa hands the rows out in this order without a sort.
    return keys(database, QStringLiteral("SELECT ID, GroupID FROM Book2 ORDER BY GroupID, Nazwa, ID"));
}

std::optional<QList<ContactOrder::Key>> ContactOrder::byName(const QSqlDatabase& database)
{
    return keys(database, QStringLiteral("SELECT ID, GroupID FROM Book2 ORDER BY Nazwa, ID"));
}

std::optional<QList<ContactOrder::Group>> ContactOrder::groups(const QSqlDatabase& database)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ID, Nazwa FROM Groups ORDER BY Nazwa, ID"))) {
        return std::nullopt;
    }
    QList<Group> found;
    while (query.next()) {
        found.append({query.value(0).toInt(), query.value(1).toString()});
    }
    return found;
}
