#pragma once

#include <QString>
#include <QStringList>

class SchemaUpgrade;

// The declared width of text columns, and widening them. PostgreSQL changes the type in place. SQLite stores any
// length whatever the declaration says, but the declared width is what the book's edit fields are limited to, so
// the table is rebuilt with the wider declaration (SQLite cannot alter a column's type).
namespace ColumnWidth {

// The declared character width of column, or -1 when it has none (unbounded) or cannot be read.
int declared(SchemaUpgrade& upgrade, const QString& table, const QString& column);

// Widens every column of columns declared narrower than width to VARCHAR(width). True when nothing was needed.
bool widen(SchemaUpgrade& upgrade, const QString& table, const QStringList& columns, int width);

} // namespace ColumnWidth
