#include "books/history/HistoryMarks.h"

#include "books/history/HistoryDatabase.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

HistoryMarks::HistoryMarks(HistoryDatabase& database)
    : m_database(database)
{
}

bool HistoryMarks::setSmsState(int orderNumber, int kind)
{
    // Only sent messages change state: calls carry order 0 and received messages an order of their own, and a
    // report must never rewrite them.
    return m_database.write(QStringLiteral("UPDATE History2 SET Typ_Historia = ? WHERE ZlecenieID = ? AND "
                                           "Typ_Historia BETWEEN 4 AND 7"),
                            {kind, orderNumber});
}

QList<HistoryMarks::Written> HistoryMarks::sentSmsOfOrder(int orderNumber)
{
    QList<Written> found;
    QSqlQuery query(m_database.database());
    query.setForwardOnly(true);
    if (m_database.exec(query,
                        QStringLiteral("SELECT ID_Historia, NrTel_Historia FROM History2 WHERE ZlecenieID = ? AND "
                                       "Typ_Historia BETWEEN 4 AND 7"),
                        {orderNumber})) {
        while (query.next()) {
            found.append({query.value(0).toInt(), query.value(1).toString()});
        }
    }
    return found;
}

bool HistoryMarks::markSmsRead(const QString& number)
{
    return m_database.write(
        QStringLiteral("UPDATE History2 SET Tluste_Historia = FALSE WHERE NrTel_Historia = ? AND SmsID > 0"), {number});
}

bool HistoryMarks::markAllSeen()
{
    return m_database.write(QStringLiteral("UPDATE History2 SET Stracone_Historia = 1, Tluste_Historia = FALSE "
                                           "WHERE Tluste_Historia = TRUE"));
}

bool HistoryMarks::markSeen(int entryId)
{
    return m_database.write(QStringLiteral("UPDATE History2 SET Tluste_Historia = FALSE WHERE ID_Historia = ?"),
                            {entryId});
}

bool HistoryMarks::toggleArchived(int entryId)
{
    return m_database.write(QStringLiteral("UPDATE History2 SET Archiwum_Historia = NOT COALESCE(Archiwum_Historia, "
                                           "FALSE) WHERE ID_Historia = ?"),
                            {entryId});
}

bool HistoryMarks::toggleHasRecording(int entryId)
{
    return m_database.write(QStringLiteral("UPDATE History2 SET JestNagranie_Historia = NOT "
                                           "COALESCE(JestNagranie_Historia, FALSE) WHERE ID_Historia = ?"),
                            {entryId});
}

bool HistoryMarks::setArchived(const QList<int>& entryIds, bool archived)
{
    if (entryIds.isEmpty()) {
        return true;
    }
    QStringList placeholders;
    QVariantList values{archived};
    for (const int id : entryIds) {
        placeholders.append(QStringLiteral("?"));
        values.append(id);
    }
    return m_database.write(QStringLiteral("UPDATE History2 SET Archiwum_Historia = ? WHERE ID_Historia IN (%1)")
                                .arg(placeholders.join(u',')),
                            values);
}
