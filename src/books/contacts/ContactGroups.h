#pragma once

#include "books/contacts/ContactOrder.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

class ContactMessagesPort;

// Moving contacts between the groups of one book, and deleting groups. Group 0 ("Others") always exists.
class ContactGroups final {
public:
    ContactGroups(QSqlDatabase database, ContactMessagesPort& messages);

    // Every contact of group from goes to group to.
    bool moveGroup(int from, int to);
    bool moveContact(int contactId, int group);
    // Moves the group's contacts to group 0 and removes the group; group 0 itself is never deleted.
    bool deleteGroup(int group);

    // The groups by name; shows "Phone book error." and answers none when they cannot be read.
    std::optional<QList<ContactOrder::Group>> list();
    // A new group named name (at most 24 characters, not empty); "Group already exists." for a name in use.
    std::optional<int> add(const QString& name);
    // Renames a group; the same checks as add().
    bool rename(int group, const QString& name);

private:
    // Shows "Phone book error." with the driver's message; always false.
    bool failed(const QString& driverMessage);
    // The name as stored, or empty after telling the user why it cannot be used.
    std::optional<QString> usableName(const QString& name, int exceptGroup);

    QSqlDatabase m_database;
    ContactMessagesPort& m_messages;
};
