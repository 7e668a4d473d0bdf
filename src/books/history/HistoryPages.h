#pragma once

#include "books/history/HistoryEntry.h"
#include "books/history/HistoryFilters.h"

#include <QList>
#include <QStringList>
#include <optional>

class HistoryDatabase;

// One row of the history window: the entry and the number the caller dialled (the "Chosen number").
struct HistoryRow {
    HistoryEntry entry;
    QString calledNumber;
};

// Reads the entries that pass a condition, newest first, a page at a time, so that a long history opens as fast
// as a short one.
class HistoryPages final {
public:
    explicit HistoryPages(HistoryDatabase& database);

    // count rows from offset, in the order the window shows them; empty when the database fails.
    QList<HistoryRow> page(const HistoryFilters::Condition& condition, int offset, int count);
    // The entry when it passes the condition.
    std::optional<HistoryRow> row(const HistoryFilters::Condition& condition, int entryId);
    // Every number in the history, each once.
    QStringList distinctNumbers();

    // Whether a sorts before b in the window: later start first, then the later written.
    static bool isBefore(const HistoryEntry& a, const HistoryEntry& b);

private:
    QList<HistoryRow> read(const QString& where, const QVariantList& values, const QString& tail);

    HistoryDatabase& m_database;
};
