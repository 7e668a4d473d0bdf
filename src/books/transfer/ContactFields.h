#pragma once

#include "books/contacts/Contact.h"
#include "books/transfer/TransferTable.h"

#include <QList>
#include <optional>

// Contacts as rows of a transfer file, by Book2 column name: the value of a column as text and back. Numbers are
// written in decimal, yes/no as 1 and 0; on reading, yes/no also takes -1 (the Access engine's yes), true, false,
// yes and no.
namespace ContactFields {

QString text(const Contact& contact, const QString& column);
// Sets column from value; false with a message when the value is not one the column holds. Unknown columns are
// ignored, so that a file may carry more columns than are read.
bool setText(Contact& contact, const QString& column, const QString& value, QString* error);

// The rows of contacts in columns.
TransferTable table(const QList<Contact>& contacts, const QStringList& columns);
// The contacts of the rows of table, reading only columns (every column of table when empty); each a new contact
// (identity 0) of group 0. Empty with a message naming the row when a value is malformed or a column is missing.
// The row number is that of the file: firstRowNumber for the first row.
std::optional<QList<Contact>> contacts(const TransferTable& table, const QStringList& columns, int firstRowNumber,
                                       QString* error);

} // namespace ContactFields
