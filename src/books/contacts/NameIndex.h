#pragma once

#include <QSqlDatabase>
#include <QString>

class SchemaUpgrade;

// The folded names of a book, kept beside the names so that the book window's name filter need not judge every
// contact. Book2.NazwaSzuk holds each name lower-cased with every diacritic folded, written with the name; a
// name changed by a program that does not know the column (an older client) clears it, and the next open fills
// it again. Where the engine offers one, a substring index covers it: an FTS5 table with the trigram tokenizer
// (Book2Szuk) on SQLite, a pg_trgm index on PostgreSQL. Without it a search scans the column.
namespace NameIndex {

inline constexpr auto Column = "NazwaSzuk";

// What NazwaSzuk holds for name.
QString searchForm(const QString& name);

// Inside the open's transaction: adds the column (once), fills the rows that lack it, and creates the substring
// index when it is missing and the engine allows. False when the column cannot be added or filled.
bool upgrade(SchemaUpgrade& schema);

// Whether the book has its substring index.
bool hasSubstringIndex(const QSqlDatabase& database);

} // namespace NameIndex
