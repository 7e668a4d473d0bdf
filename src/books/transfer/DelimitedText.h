#pragma once

#include "books/transfer/TransferTable.h"

#include <optional>

// The text layout of a phone book file: a first line of column names, then one row per line, fields separated by
// commas. Text values are enclosed in double quotes (a quote inside is written twice), so that a comma or a line
// break may stand inside one; numbers are written bare. Lines end in CR LF; reading also takes LF alone.
namespace DelimitedText {

// The text of table; the columns listed by isText are quoted.
QString write(const TransferTable& table);

// The table in text; empty with a message naming the line when the text is malformed: a quote left open, text
// after a closing quote, a row with more fields than the header, a header with an empty or repeated name. A quoted
// empty field reads as an empty text, a bare empty one as a missing value.
std::optional<TransferTable> read(const QString& text, QString* error);

} // namespace DelimitedText
