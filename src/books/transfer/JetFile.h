#pragma once

#include "books/transfer/TransferTable.h"

#include <optional>

// Reading the Access (Jet 3 and Jet 4) databases of the Windows generation through mdbtools. Read only: nothing on
// this system writes them. Values come as text: numbers in decimal, yes/no as 1 and 0, dates and times as
// "yyyy-MM-dd hh:mm:ss".
namespace JetFile {

// True when the file begins with the header of a Jet (or ACE) database.
bool isJetFile(const QString& path);

// The names of the file's own tables (the engine's system tables left out).
std::optional<QStringList> tableNames(const QString& path, QString* error);
// Every row of table with every column it has (binary columns left out). Empty with a message when the file or the
// table cannot be read.
std::optional<TransferTable> readTable(const QString& path, const QString& table, QString* error);

} // namespace JetFile
