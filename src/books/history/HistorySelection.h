#pragma once

#include "books/history/HistoryFilters.h"

#include <QStringList>
#include <optional>

// What the history window shows: its four filters, the text of "Search by number" and, while "Search by name"
// holds a text, the numbers whose phone-book name matches it.
struct HistorySelection {
    HistoryFilters::Choice filters;
    QString numberText;
    std::optional<QStringList> namedNumbers;

    // The WHERE condition on History2 as of today; unknownNumber is the translated word stored for an unknown party.
    HistoryFilters::Condition condition(const QDate& today, const QString& unknownNumber) const;

    // A search text may hold only digits and "+" (an empty one searches nothing).
    static bool isValidNumberText(const QString& text);
};
