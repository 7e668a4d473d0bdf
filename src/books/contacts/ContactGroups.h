#pragma once

#include <QSqlDatabase>
#include <QString>

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

private:
    // Shows "Phone book error." with the driver's message; always false.
    bool failed(const QString& driverMessage);

    QSqlDatabase m_database;
    ContactMessagesPort& m_messages;
};
