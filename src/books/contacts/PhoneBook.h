#pragma once

#include "books/contacts/Contact.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>

// One phone book on one open connection: turning a calling number into a contact, and reading contacts. It keeps
// its lookup statements prepared, so it must be gone before its connection is removed.
class PhoneBook final {
public:
    explicit PhoneBook(QSqlDatabase database);

    // The name of the contact that has number, or "" (also when the book is not open).
    QString lookupName(const QString& number);
    // The ID of the contact that has number, or -1.
    int findContact(const QString& number);

    // After a successful lookup, the position 1..5 of the number that matched; 0 before any match.
    int matchedPosition() const { return m_matchedPosition; }
    // The contact the last successful lookup found (or the one selected); a failed lookup leaves it alone.
    int currentContactId() const { return m_currentContactId; }
    void setCurrentContactId(int id) { m_currentContactId = id; }

    // Every non-empty number of every contact with this name, each once.
    QStringList numbersOfName(const QString& name) const;
    // The stored contact id, if there is one.
    std::optional<Contact> contact(int id) const;

    const QSqlDatabase& database() const { return m_database; }

private:
    struct Match {
        int id;
        QString name;
        int position;
    };

    // Numbers in the form prefix "/" number are looked up by the part after the last "/". A number stored in Nr1
    // of any contact beats the same number in Nr2 of another, and so on; within one position the first contact
    // in name order wins. Comparison is exact: normalised numbers agree only in the same form.
    std::optional<Match> match(const QString& number);
    static QString lookupStatement();

    QSqlDatabase m_database;
    QSqlQuery m_lookup;
    bool m_prepared = false;
    int m_matchedPosition = 0;
    int m_currentContactId = -1;
};
