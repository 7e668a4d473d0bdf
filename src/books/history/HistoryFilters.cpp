#include "books/history/HistoryFilters.h"

#include <cstdlib>

namespace {

constexpr int ExtensionWidth = 6;

} // namespace

HistoryFilters::HistoryFilters(Choice choice, QString unknownNumber)
    : m_choice(choice)
    , m_unknownNumber(std::move(unknownNumber))
{
}

bool HistoryFilters::passes(const HistoryEntry& entry, const QDate& today) const
{
    if (entry.reserved) {
        return false;
    }
    const bool kindPasses = m_choice.kind <= 0 || entry.kind == m_choice.kind - 1;
    return kindPasses && passesDate(entry.startDate, today) && passesNumber(entry.number) && passesConversation(entry);
}

bool HistoryFilters::passesDate(const QDate& start, const QDate& today) const
{
    if (m_choice.date == AnyDate) {
        return true;
    }
    if (!start.isValid()) {
        return false;
    }
    // Whole days between now and the start of the start date are the calendar days between the two dates.
    const qint64 days = std::llabs(start.daysTo(today));
    switch (m_choice.date) {
    case Today:
        return days == 0;
    case FromYesterday:
        return days <= 1;
    case LastWeek:
        return days <= 7;
    case FromTwoWeeks:
        return days <= 14;
    case FromLastMonth:
        return days <= 30;
    default:
        return true;
    }
}

bool HistoryFilters::passesNumber(const QString& number) const
{
    switch (m_choice.number) {
    case Extension:
        return number.size() <= ExtensionWidth;
    case External:
        return number.size() >= ExtensionWidth && number != m_unknownNumber;
    default:
        return true;
    }
}

bool HistoryFilters::passesConversation(const HistoryEntry& entry) const
{
    switch (m_choice.conversation) {
    case WithoutRecording:
        return !entry.hasRecording;
    case WithRecording:
        return entry.hasRecording;
    case ArchivedOnly:
        return entry.archived;
    case SmsOnly:
        return entry.smsTextId > 0;
    default:
        return true;
    }
}
