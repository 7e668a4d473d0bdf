#pragma once

#include "books/transfer/TransferTable.h"

#include <QSqlDatabase>
#include <optional>

// A phone book of the Windows generation as read from its Access file, and its rows written into a new book of
// this client: every contact and group with its identity, the book's own identity (Info) kept. Columns are found
// by name, so a file of an older version that lacks some of them converts with their defaults.
namespace JetBookConversion {

struct Tables {
    TransferTable book2;                 // Book2, or Book in the oldest files
    std::optional<TransferTable> groups; // Groups, when the file has it
    std::optional<int> identity;         // Info.Hash, when the file has it
};

std::optional<Tables> read(const QString& path, QString* error);
// Creates the book's tables in the empty target and fills them, in one transaction.
bool write(const Tables& tables, QSqlDatabase& target, QString* error);
// read() then write(): the filler of JetMigration.
bool fill(const QString& path, QSqlDatabase& target, QString* error);

} // namespace JetBookConversion
