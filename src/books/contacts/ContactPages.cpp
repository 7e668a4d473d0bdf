#include "books/contacts/ContactPages.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

ContactPages::ContactPages(QSqlDatabase database)
    : m_database(std::move(database))
{
}

const Contact* ContactPages::contact(int id, const QList<int>& page)
{
    auto found = m_kept.constFind(id);
    if (found == m_kept.cend()) {
        QList<int> wanted;
        for (const int other : page) {
            if (!m_kept.contains(other)) {
                wanted.append(other);
            }
        }
        if (!wanted.contains(id)) {
            wanted.append(id);
        }
        if (!read(wanted)) {
            return nullptr;
        }
        found = m_kept.constFind(id);
    }
    return found == m_kept.cend() ? nullptr : &*found;
}

bool ContactPages::read(const QList<int>& ids)
{
    if (m_kept.size() + ids.size() > KeptContacts) {
        m_kept.clear();
    }
    QStringList places;
    places.fill(QStringLiteral("?"), ids.size());
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ID, %1 FROM Book2 WHERE ID IN (%2)")
                      .arg(ContactColumns::names().join(u", "), places.join(u", ")));
    for (int i = 0; i < ids.size(); ++i) {
        query.bindValue(i, ids[i]);
    }
    ++m_reads;
    if (!query.exec()) {
        return false;
    }
    while (query.next()) {
        Contact contact = ContactColumns::read(query.record());
        m_kept.insert(contact.id, std::move(contact));
    }
    return true;
}
