#include "books/history/HistoryDateText.h"

QString HistoryDateText::start(const HistoryEntry& entry, const QDate& today, int style, const QLocale& locale)
{
    const QDateTime start = entry.start();
    if (!start.isValid()) {
        return {};
    }
    const bool thisYear = entry.startDate.year() == today.year();
    if (style == WithDescription) {
        return locale.toString(start,
                               thisYear ? QStringLiteral("hh:mm ddd, d MMM") : QStringLiteral("hh:mm ddd, d MMM yyyy"));
    }
    return start.toString(thisYear ? QStringLiteral("MM.dd hh:mm") : QStringLiteral("yy.MM.dd hh:mm"));
}

QString HistoryDateText::duration(const HistoryEntry& entry)
{
    const QDateTime start = entry.start();
    const QDateTime end = entry.end();
    if (!start.isValid() || !end.isValid() || end < start) {
        return {};
    }
    // Longer than a day is shown as whole hours past 24.
    const qint64 seconds = start.secsTo(end);
    const qint64 hours = seconds / 3600;
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QChar(u'0'))
        .arg((seconds % 3600) / 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'));
}
