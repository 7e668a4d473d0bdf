#include "books/history/HistoryPages.h"

#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryReader.h"

#include <QSqlQuery>

namespace {

// The order of Idx_Data (start date and time descending), so that the engine walks the index instead of sorting
// the table; the identity puts the later written of two entries of the same second first (the engine sorts only
// within such ties) and keeps pages from overlapping.
const QString Order = QStringLiteral(" ORDER BY Data1_Historia DESC, Czas1_Historia DESC, ID_Historia DESC");

// The column after the entry's own: the called number from its side table.
constexpr int CalledNumberColumn = 17;

} // namespace

HistoryPages::HistoryPages(HistoryDatabase& database)
    : m_database(database)
{
}

QList<HistoryRow> HistoryPages::page(const HistoryFilters::Condition& condition, int offset, int count)
{
    QVariantList values = condition.values;
    values << count << offset;
    return read(condition.sql, values, Order + QStringLiteral(" LIMIT ? OFFSET ?"));
}

std::optional<HistoryRow> HistoryPages::row(const HistoryFilters::Condition& condition, int entryId)
{
    QVariantList values = condition.values;
    values << entryId;
    const QList<HistoryRow> rows = read(condition.sql + QStringLiteral(" AND ID_Historia = ?"), values, QString());
    return rows.isEmpty() ? std::nullopt : std::optional<HistoryRow>(rows.first());
}

QStringList HistoryPages::distinctNumbers()
{
    QStringList numbers;
    QSqlQuery query(m_database.database());
    query.setForwardOnly(true);
    if (!m_database.exec(query, QStringLiteral("SELECT DISTINCT NrTel_Historia FROM History2 WHERE NrTel_Historia "
                                               "IS NOT NULL"))) {
        return numbers;
    }
    while (query.next()) {
        numbers.append(query.value(0).toString());
    }
    return numbers;
}

bool HistoryPages::isBefore(const HistoryEntry& a, const HistoryEntry& b)
{
    if (a.startDate != b.startDate) {
        return a.startDate > b.startDate;
    }
    if (a.startTime != b.startTime) {
        return a.startTime > b.startTime;
    }
    return a.id > b.id;
}

QList<HistoryRow> HistoryPages::read(const QString& where, const QVariantList& values, const QString& tail)
{
    QList<HistoryRow> rows;
    QSqlQuery query(m_database.database());
    query.setForwardOnly(true);
    if (!m_database.exec(query,
                         QStringLiteral("SELECT %1, NrInit.NrInicjator FROM History2 LEFT JOIN NrInit ON NrInit.ID = "
                                        "History2.NrInitID WHERE %2%3")
                             .arg(HistoryReader::columns(), where, tail),
                         values)) {
        return rows;
    }
    while (query.next()) {
        HistoryRow row{HistoryReader::entryAt(query), query.value(CalledNumberColumn).toString().trimmed()};
        rows.append(std::move(row));
    }
    return rows;
}
