#include "books/contacts/NumberPages.h"

#include "books/contacts/NumberList.h"

#include <QSqlQuery>
#include <QVariant>

NumberPages::NumberPages(QSqlDatabase database)
    : m_database(std::move(database))
{
    restart(QString());
}

void NumberPages::restart(const QString& searchText)
{
    m_search = searchText;
    m_positions = {};
    m_atEnd = false;
}

bool NumberPages::fill(int position, int count)
{
    Position& at = m_positions[static_cast<std::size_t>(position)];
    if (at.exhausted || at.pending.size() >= count) {
        return true;
    }
    const QString nr = QStringLiteral("Nr%1").arg(position + 1);
    QString statement = QStringLiteral("SELECT ID, Nazwa, %1, Typ%2 FROM Book2 WHERE %1 IS NOT NULL AND %1 <> ''")
                            .arg(nr)
                            .arg(position + 1);
    QVariantList values;
    if (at.lastId >= 0) {
        statement += QStringLiteral(" AND (%1 > ? OR (%1 = ? AND ID > ?))").arg(nr);
        values << at.lastNumber << at.lastNumber << at.lastId;
    }
    if (!m_search.isEmpty()) {
        // The range of the numbers that begin with the text: every number character sorts below U+FFFF.
        statement += QStringLiteral(" AND ((%1 >= ? AND %1 < ?) OR (%1 >= ? AND %1 < ?))").arg(nr);
        values << m_search << m_search + QChar(0xFFFF) << u'/' + m_search << u'/' + m_search + QChar(0xFFFF);
    }
    statement += QStringLiteral(" ORDER BY %1, ID LIMIT %2").arg(nr).arg(count);
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(statement);
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    if (!query.exec()) {
        return false;
    }
    int read = 0;
    while (query.next()) {
        Entry entry{query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(),
                    query.value(3).toInt()};
        at.lastNumber = entry.number;
        at.lastId = entry.id;
        if (NumberFilter::passes(entry.number, m_search)) {
            at.pending.append(std::move(entry));
        }
        ++read;
    }
    at.exhausted = read < count;
    return true;
}

std::optional<QList<NumberPages::Entry>> NumberPages::next(int count)
{
    QList<Entry> page;
    while (page.size() < count) {
        int best = -1;
        for (int position = 0; position < static_cast<int>(m_positions.size()); ++position) {
            Position& at = m_positions[static_cast<std::size_t>(position)];
            if (at.pending.isEmpty() && !fill(position, count)) {
                return std::nullopt;
            }
            if (at.pending.isEmpty()) {
                continue;
            }
            const Entry& candidate = at.pending.front();
            if (best < 0) {
                best = position;
                continue;
            }
            const Entry& current = m_positions[static_cast<std::size_t>(best)].pending.front();
            const int order = QString::compare(candidate.number, current.number);
            if (order < 0 || (order == 0 && candidate.id < current.id)) {
                best = position;
            }
        }
        if (best < 0) {
            m_atEnd = true;
            break;
        }
        page.append(m_positions[static_cast<std::size_t>(best)].pending.takeFirst());
    }
    return page;
}
