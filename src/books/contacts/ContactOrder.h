#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

// The order in which the book window lists contacts, as keys only: the rows' contents are read page by page as
// they come into view (ContactPages), so that a large book opens without reading every row.
namespace ContactOrder {

struct Key {
    int id = 0;
    int groupId = 0;
};

struct Group {
    int id = 0;
    QString name;
};

// Every contact by group, then name, then ID; group order is by group name (groups()).
std::optional<QList<Key>> byGroup(const QSqlDatabase& database);
// Every contact by name, then ID.
std::optional<QList<Key>> byName(const QSqlDatabase& database);
// The groups by name, then ID.
std::optional<QList<Group>> groups(const QSqlDatabase& database);

} // namespace ContactOrder
