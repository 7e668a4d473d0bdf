#include "books/contacts/ContactGroups.h"

#include "books/contacts/ContactMessagesPort.h"
#include "settings/Lang.h"

#include <QSqlError>
#include <QSqlQuery>

using Lang::_;

ContactGroups::ContactGroups(QSqlDatabase database, ContactMessagesPort& messages)
    : m_database(std::move(database))
    , m_messages(messages)
{
}

bool ContactGroups::failed(const QString& driverMessage)
{
    m_messages.warning(_("Norvel TelephoneTervo"), _("Phone book error.") + u'\n' + driverMessage);
    return false;
}

bool ContactGroups::moveGroup(int from, int to)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("UPDATE Book2 SET GroupID = ? WHERE GroupID = ?"));
    query.addBindValue(to);
    query.addBindValue(from);
    return query.exec() || failed(query.lastError().text());
}

bool ContactGroups::moveContact(int contactId, int group)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("UPDATE Book2 SET GroupID = ? WHERE ID = ?"));
    query.addBindValue(group);
    query.addBindValue(contactId);
    return query.exec() || failed(query.lastError().text());
}

bool ContactGroups::deleteGroup(int group)
{
    if (group == 0) {
        return false;
    }
    if (!m_database.transaction()) {
        return failed(m_database.lastError().text());
    }
    QSqlQuery move(m_database);
    move.prepare(QStringLiteral("UPDATE Book2 SET GroupID = 0 WHERE GroupID = ?"));
    move.addBindValue(group);
    QSqlQuery remove(m_database);
    remove.prepare(QStringLiteral("DELETE FROM Groups WHERE ID = ?"));
    remove.addBindValue(group);
    if (!move.exec()) {
        m_database.rollback();
        return failed(move.lastError().text());
    }
    if (!remove.exec()) {
        m_database.rollback();
        return failed(remove.lastError().text());
    }
    return m_database.commit() || failed(m_database.lastError().text());
}
