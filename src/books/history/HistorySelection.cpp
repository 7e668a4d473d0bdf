#include "books/history/HistorySelection.h"

namespace {

// The text as a LIKE pattern that finds it anywhere in a number; "\" escapes the pattern's own characters.
QString containsPattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + escaped + u'%';
}

} // namespace

bool HistorySelection::isValidNumberText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit() || c == u'+'; });
}

HistoryFilters::Condition HistorySelection::condition(const QDate& today, const QString& unknownNumber) const
{
    HistoryFilters::Condition condition = HistoryFilters(filters, unknownNumber).condition(today);
    if (!numberText.isEmpty()) {
        // The books keep numbers with "00" where the user may type "+".
        QString text = numberText;
        if (text.startsWith(u'+')) {
            text.replace(0, 1, QStringLiteral("00"));
        }
        condition.sql += QStringLiteral(" AND NrTel_Historia LIKE ? ESCAPE '\\'");
        condition.values.append(containsPattern(text));
    }
    if (namedNumbers) {
        if (namedNumbers->isEmpty()) {
            condition.sql += QStringLiteral(" AND 1 = 0");
        } else {
            QStringList placeholders;
            placeholders.reserve(namedNumbers->size());
            for (const QString& number : *namedNumbers) {
                placeholders.append(QStringLiteral("?"));
                condition.values.append(number);
            }
            condition.sql += QStringLiteral(" AND NrTel_Historia IN (%1)").arg(placeholders.join(u','));
        }
    }
    return condition;
}
