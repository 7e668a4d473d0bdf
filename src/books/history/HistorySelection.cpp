#include "books/history/HistorySelection.h"

#include <algorithm>

namespace {

constexpr qsizetype IndexedNumbers = 64;

} // namespace

bool HistorySelection::numberHolds(const QString& number, const QString& text)
{
    if (text.startsWith(u'+')) {
        return number.contains(QStringLiteral("00") + text.mid(1));
    }
    return number.contains(text);
}

bool HistorySelection::isValidNumberText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit() || c == u'+'; });
}

HistoryFilters::Condition HistorySelection::condition(const QDate& today, const QString& unknownNumber) const
{
    HistoryFilters::Condition condition = HistoryFilters(filters, unknownNumber).condition(today);
    if (numbers) {
        if (numbers->isEmpty()) {
            condition.sql += QStringLiteral(" AND 1 = 0");
        } else {
            QStringList placeholders;
            placeholders.reserve(numbers->size());
            for (const QString& number : *numbers) {
                placeholders.append(QStringLiteral("?"));
                condition.values.append(number);
            }
            // A few numbers are looked up in the numbers' index and their rows sorted; for many, walking the history
            // newest first until a page is full is faster, and the expression keeps the engine off that index.
            const QString column = numbers->size() <= IndexedNumbers ? QStringLiteral("NrTel_Historia")
                                                                     : QStringLiteral("NrTel_Historia || ''");
            condition.sql += QStringLiteral(" AND %1 IN (%2)").arg(column, placeholders.join(u','));
        }
    }
    return condition;
}
