#include "books/history/HistoryFilters.h"

#include "books/history/HistoryEntry.h"

namespace {

constexpr int ExtensionWidth = 6;

void add(HistoryFilters::Condition& condition, const QString& sql, const QVariantList& values = {})
{
    condition.sql += QStringLiteral(" AND ") + sql;
    condition.values += values;
}

} // namespace

HistoryFilters::HistoryFilters(Choice choice, QString unknownNumber)
    : m_choice(choice)
    , m_unknownNumber(std::move(unknownNumber))
{
}

int HistoryFilters::kindOf(int kindFilter)
{
    // The list names the missed incoming call first: that is kind 1, and the unanswered outgoing call kind 0.
    switch (kindFilter) {
    case IncomingMissed:
        return HistoryKind::IncomingMissed;
    case OutgoingMissed:
        return HistoryKind::OutgoingNotAnswered;
    case Incoming:
    case Outgoing:
    case Sent:
    case ThrownAside:
    case Delivered:
    case NotDelivered:
    case TakenBack:
        return kindFilter - 1;
    default:
        return HistoryKind::None;
    }
}

HistoryFilters::Condition HistoryFilters::condition(const QDate& today) const
{
    Condition condition{QStringLiteral("COALESCE(Reserved_Historia, FALSE) = FALSE"), {}};
    const int kind = kindOf(m_choice.kind);
    if (kind != HistoryKind::None) {
        add(condition, QStringLiteral("Typ_Historia = ?"), {kind});
    }
    addDate(today, condition);
    addNumber(condition);
    addConversation(condition);
    return condition;
}

void HistoryFilters::addDate(const QDate& today, Condition& condition) const
{
    int days = -1;
    switch (m_choice.date) {
    case Today:
        days = 0;
        break;
    case FromYesterday:
        days = 1;
        break;
    case LastWeek:
        days = 7;
        break;
    case FromTwoWeeks:
        days = 14;
        break;
    case FromLastMonth:
        days = 30;
        break;
    default:
        return;
    }
    // Whole days between now and the start date are the calendar days between the two dates, either way: a clock
    // put back leaves entries "in the future" that still count as recent.
    add(condition, QStringLiteral("Data1_Historia BETWEEN ? AND ?"), {today.addDays(-days), today.addDays(days)});
}

void HistoryFilters::addNumber(Condition& condition) const
{
    switch (m_choice.number) {
    case Extension:
        add(condition, QStringLiteral("LENGTH(NrTel_Historia) <= ?"), {ExtensionWidth});
        break;
    case External:
        add(condition, QStringLiteral("LENGTH(NrTel_Historia) >= ? AND NrTel_Historia <> ?"),
            {ExtensionWidth, m_unknownNumber});
        break;
    default:
        break;
    }
}

void HistoryFilters::addConversation(Condition& condition) const
{
    switch (m_choice.conversation) {
    case WithoutRecording:
        add(condition, QStringLiteral("COALESCE(JestNagranie_Historia, FALSE) = FALSE"));
        break;
    case WithRecording:
        add(condition, QStringLiteral("JestNagranie_Historia = TRUE"));
        break;
    case ArchivedOnly:
        add(condition, QStringLiteral("Archiwum_Historia = TRUE"));
        break;
    case SmsOnly:
        add(condition, QStringLiteral("SmsID > 0"));
        break;
    default:
        break;
    }
}
