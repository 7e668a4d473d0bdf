#pragma once

#include "books/transfer/TransferTable.h"

#include <QSqlDatabase>
#include <optional>

// A call history of the Windows generation as read from its Access file, and its rows written into a new history
// of this client: every entry with its identity, kind, dates and times, flags and its SMS text, caller name and
// called number. Columns are found by name; one an older file lacks takes its default.
namespace JetHistoryConversion {

struct Tables {
    TransferTable history2;                 // History2, or History in the oldest files
    std::optional<TransferTable> sms;       // Sms (ID, Wiadomosc)
    std::optional<TransferTable> komentarz; // Komentarz (ID, Koment)
    std::optional<TransferTable> nrInit;    // NrInit (ID, NrInicjator)
};

std::optional<Tables> read(const QString& path, QString* error);
// Creates the history's tables in the empty target and fills them, in one transaction.
bool write(const Tables& tables, QSqlDatabase& target, QString* error);
// read() then write(): the filler of JetMigration.
bool fill(const QString& path, QSqlDatabase& target, QString* error);

} // namespace JetHistoryConversion
