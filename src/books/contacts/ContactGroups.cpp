#include "books/contacts/ContactGroups.h"

#include "books/contacts/ContactMessagesPort.h"
#include "books/database/BookSchema.h"
#include "settings/Const.h"
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

std::optional<QList<ContactOrder::Group>> ContactGroups::list()
{
    std::optional<QList<ContactOrder::Group>> groups = ContactOrder::groups(m_database);
    if (!groups) {
        failed(m_database.lastError().text());
    }
    return groups;
}

std::optional<QString> ContactGroups::usableName(const QString& name, int exceptGroup)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    if (trimmed.size() > BookSchema::GroupNameWidth) {
        m_messages.warning(QLatin1String(Const::ApplicationTitle),
                           _("Too long for the phone book (at most %d characters):\n%s")
                               .replace(QLatin1String("%d"), QString::number(BookSchema::GroupNameWidth))
                               .replace(QLatin1String("%s"), trimmed));
        return std::nullopt;
    }
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM Groups WHERE Nazwa = ? AND ID <> ?"));
    query.addBindValue(trimmed);
    query.addBindValue(exceptGroup);
    if (!query.exec() || !query.next()) {
        failed(query.lastError().text());
        return std::nullopt;
    }
    if (query.value(0).toInt() > 0) {
        m_messages.warning(QLatin1String(Const::ApplicationTitle), _("Group already exists."));
        return std::nullopt;
    }
    return trimmed;
}

std::optional<int> ContactGroups::add(const QString& name)
{
    const std::optional<QString> stored = usableName(name, -1);
    if (!stored) {
        return std::nullopt;
    }
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("INSERT INTO Groups (Nazwa) VALUES (?) RETURNING ID"));
    query.addBindValue(*stored);
    if (!query.exec() || !query.next()) {
        failed(query.lastError().text());
        return std::nullopt;
    }
    return query.value(0).toInt();
}

bool ContactGroups::rename(int group, const QString& name)
{
    const std::optional<QString> stored = usableName(name, group);
    if (!stored) {
        return false;
    }
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("UPDATE Groups SET Nazwa = ? WHERE ID = ?"));
    query.addBindValue(*stored);
    query.addBindValue(group);
    return query.exec() || failed(query.lastError().text());
}
