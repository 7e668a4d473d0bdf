#include "books/contacts/ContactStore.h"

#include "books/contacts/NameIndex.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// A comparison that treats NULL as a value: columns read with a default compare through it, the others with
// IS NOT DISTINCT FROM, which both engines know.
QString unchangedCondition(const QString& column)
{
    const QVariant readAs = ContactColumns::readDefault(column);
    if (!readAs.isValid()) {
        return column + QStringLiteral(" IS NOT DISTINCT FROM ?");
    }
    const QString literal = readAs.typeId() == QMetaType::Bool
                                ? (readAs.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                                : readAs.toString();
    return QStringLiteral("COALESCE(%1, %2) = ?").arg(column, literal);
}

QString updateStatement()
{
    // The folded name is written with the name but never compared: an older client may have left it empty.
    QStringList assignments{QLatin1String(NameIndex::Column) + QStringLiteral(" = ?")};
    QStringList conditions{QStringLiteral("ID = ?")};
    for (const QString& column : ContactColumns::names()) {
        assignments << column + QStringLiteral(" = ?");
        conditions << unchangedCondition(column);
    }
    return QStringLiteral("UPDATE Book2 SET %1 WHERE %2").arg(assignments.join(u", "), conditions.join(u" AND "));
}

} // namespace

ContactStore::ContactStore(QSqlDatabase database)
    : m_database(std::move(database))
{
}

std::optional<int> ContactStore::insert(const Contact& contact)
{
    if (!fits(contact)) {
        return std::nullopt;
    }
    QSqlQuery& query = m_insert;
    if (!m_insertPrepared) {
        const QStringList columns = QStringList{QLatin1String(NameIndex::Column)} + ContactColumns::names();
        QStringList placeholders;
        placeholders.fill(QStringLiteral("?"), columns.size());
        query = QSqlQuery(m_database);
        m_insertPrepared = query.prepare(QStringLiteral("INSERT INTO Book2 (%1) VALUES (%2) RETURNING ID")
                                             .arg(columns.join(u", "), placeholders.join(u", ")));
    }
    const QVariantList values = QVariantList{NameIndex::searchForm(contact.nazwa)} + ContactColumns::values(contact);
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    if (!m_insertPrepared || !query.exec() || !query.next()) {
        m_lastError = query.lastError().text();
        query.finish();
        return std::nullopt;
    }
    const int id = query.value(0).toInt();
    query.finish();
    return id;
}

bool ContactStore::insertKeepingId(const Contact& contact)
{
    if (!fits(contact)) {
        return false;
    }
    const QStringList columns =
        QStringList{QStringLiteral("ID"), QLatin1String(NameIndex::Column)} + ContactColumns::names();
    QStringList placeholders;
    placeholders.fill(QStringLiteral("?"), columns.size());
    QSqlQuery query(m_database);
    query.prepare(
        QStringLiteral("INSERT INTO Book2 (%1) VALUES (%2)").arg(columns.join(u", "), placeholders.join(u", ")));
    query.addBindValue(contact.id);
    query.addBindValue(NameIndex::searchForm(contact.nazwa));
    for (const QVariant& value : ContactColumns::values(contact)) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return false;
    }
    return true;
}

ContactStore::UpdateResult ContactStore::update(const Contact& edited, const Contact& original)
{
    if (!fits(edited)) {
        return UpdateResult::Failed;
    }
    static const QString statement = updateStatement();
    QSqlQuery query(m_database);
    query.prepare(statement);
    query.addBindValue(NameIndex::searchForm(edited.nazwa));
    for (const QVariant& value : ContactColumns::values(edited)) {
        query.addBindValue(value);
    }
    query.addBindValue(original.id);
    for (const QVariant& value : ContactColumns::values(original)) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return UpdateResult::Failed;
    }
    return query.numRowsAffected() > 0 ? UpdateResult::Updated : UpdateResult::Conflict;
}

bool ContactStore::fits(const Contact& contact)
{
    // Never left to the engine: SQLite would store the longer text and PostgreSQL refuse it.
    m_lastError = ContactColumns::tooLongMessage(contact);
    return m_lastError.isEmpty();
}

bool ContactStore::remove(int id)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("DELETE FROM Book2 WHERE ID = ?"));
    query.addBindValue(id);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return false;
    }
    return true;
}

bool ContactStore::removeAll()
{
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("DELETE FROM Book2"))) {
        m_lastError = query.lastError().text();
        return false;
    }
    return true;
}
