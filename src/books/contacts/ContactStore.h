#pragma once

#include "books/contacts/Contact.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>

// Writing contacts into Book2. Updates are optimistic, as several users share a public book: a row is changed only
// while it still holds the values the editing user started from.
class ContactStore final {
public:
    enum class UpdateResult { Updated, Conflict, Failed };

    explicit ContactStore(QSqlDatabase database);

    // The ID of the new row; empty when a text is longer than its column or the statement failed (see lastError()).
    std::optional<int> insert(const Contact& contact);
    // A new row with the contact's own ID (a book converted from another file keeps its identities).
    bool insertKeepingId(const Contact& contact);
    // Writes edited over the row original.id, provided that row still equals original in every column.
    UpdateResult update(const Contact& edited, const Contact& original);
    // Deletes one contact; true also when another user deleted it first.
    bool remove(int id);
    // Deletes every contact of the book in one statement.
    bool removeAll();

    QString lastError() const { return m_lastError; }

private:
    bool fits(const Contact& contact);

    QSqlDatabase m_database;
    // Kept prepared for a run of inserts (a book being filled); a store must go before its connection.
    QSqlQuery m_insert;
    bool m_insertPrepared = false;
    QString m_lastError;
};
