#pragma once

#include "books/contacts/Contact.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>

// The contents of the contacts the book window shows, read a page of rows at a time by their IDs and kept until
// the book changes. Only the pages that come into view are read, however long the book is.
class ContactPages final {
public:
    static constexpr int PageSize = 100;
    // Beyond this many kept contacts the oldest pages are forgotten.
    static constexpr int KeptContacts = 5000;

    explicit ContactPages(QSqlDatabase database);

    // The contact, reading it (and the page around it, given by ids) when it is not kept; null when the row is
    // gone or the book cannot be read.
    const Contact* contact(int id, const QList<int>& page);
    // Forgets every kept contact (after a save, a delete, a refresh).
    void clear() { m_kept.clear(); }
    // The number of read statements run; a view scrolled to a kept page runs none.
    int reads() const { return m_reads; }

private:
    bool read(const QList<int>& ids);

    QSqlDatabase m_database;
    QHash<int, Contact> m_kept;
    int m_reads = 0;
};
