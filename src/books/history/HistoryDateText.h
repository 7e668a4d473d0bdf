#pragma once

#include "books/history/HistoryEntry.h"

#include <QLocale>
#include <QString>

// The texts of the history window's "Date" and "Time" columns. The date shows its year only when the entry is not
// of the current year.
namespace HistoryDateText {

// Ogolne/HistData.
enum Style { Short = 0, WithDescription = 1 };

// Short: "01.28 15:33" or "24.01.28 15:33"; with description: "15:33 sat, 28 jan" or "15:33 sat, 28 jan 2024",
// the day and month names in the locale's language.
QString start(const HistoryEntry& entry, const QDate& today, int style, const QLocale& locale);
// The call's length "hh:mm:ss"; empty without an end.
QString duration(const HistoryEntry& entry);

} // namespace HistoryDateText
