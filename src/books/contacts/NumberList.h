#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The flat list of a book's numbers: one row (ID, Nazwa, Numer, Typ) per non-empty number of a contact, ordered by
// number. The number view of the book window shows it and filters it with NumberFilter.
namespace NumberList {

QString selectStatement();
// The list, run on database; check isActive() for success.
QSqlQuery query(const QSqlDatabase& database);

} // namespace NumberList

// The number filter of the number view: whether a row's number begins with the text typed so far.
namespace NumberFilter {

// An empty number never passes; one leading "/" of it is ignored; an empty search text lets every other row pass.
bool passes(const QString& number, const QString& searchText);

} // namespace NumberFilter
