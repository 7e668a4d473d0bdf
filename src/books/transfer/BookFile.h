#pragma once

#include "books/transfer/TransferTable.h"

#include <optional>

// A phone-book file of the Access kind: a database of this client holding the table Book2 with the chosen
// columns, or, for reading, a Book2 of any database of this client or of the Windows generation.
namespace BookFile {

// Writes a new database at path with a table Book2 of table's columns and rows. The file appears complete or not
// at all: it is written beside path and moved over it at the end.
bool write(const QString& path, const TransferTable& table, QString* error);

// The columns of Book2 in path; empty with a message when the file is not a database or lacks the table or one of
// the columns.
std::optional<TransferTable> read(const QString& path, const QStringList& columns, QString* error);

} // namespace BookFile
