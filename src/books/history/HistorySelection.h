#pragma once

#include "books/history/HistoryFilters.h"

#include <QStringList>
#include <optional>

// What the history window shows: its four filters and, while "Search by number" or "Search by name" holds a text,
// the numbers of the history that the searches found.
struct HistorySelection {
    HistoryFilters::Choice filters;
    std::optional<QStringList> numbers;

    // The WHERE condition on History2 as of today; unknownNumber is the translated word stored for an unknown party.
    HistoryFilters::Condition condition(const QDate& today, const QString& unknownNumber) const;

    // A search text may hold only digits and "+" (an empty one searches nothing).
    static bool isValidNumberText(const QString& text);
    // Whether number holds the typed text anywhere; a "+" typed first stands for the "00" the books keep.
    static bool numberHolds(const QString& number, const QString& text);
};
