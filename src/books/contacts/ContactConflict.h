#pragma once

#include "books/contacts/Contact.h"

#include <QList>
#include <QString>
#include <optional>

// A save refused because another user changed the contact meanwhile: which of the fields that carry a conflict
// button (the name and the five numbers) hold a value of the other user that differs from the one being saved, and
// the contact the editor goes on from. The other fields are merged: the other user's value is taken where this user
// left the field as it was read, this user's value where both changed it.
class ContactConflict final {
public:
    // The fields with a conflict button.
    enum class Field { Name = 0, Nr1, Nr2, Nr3, Nr4, Nr5 };

    struct Difference {
        Field field;
        QString theirs;
        QString mine;
    };

    // mine: the contact being saved; original: the row it was read as; theirs: the row as stored now.
    ContactConflict(const Contact& mine, const Contact& original, const Contact& theirs);

    // The fields where a choice is needed, in the order of the window.
    const QList<Difference>& differences() const { return m_differences; }
    bool resolved() const { return m_differences.isEmpty(); }
    // The user's choice for a field: the other user's value, or the one being saved.
    void choose(Field field, bool takeTheirs);
    // What the editor holds now: this user's values with the merged fields and the choices made so far.
    const Contact& merged() const { return m_merged; }
    // The row the next save is compared with: the one stored now.
    const Contact& theirs() const { return m_theirs; }

    static QString value(const Contact& contact, Field field);
    static void setValue(Contact& contact, Field field, const QString& value);

private:
    Contact m_merged;
    Contact m_theirs;
    QList<Difference> m_differences;
};
