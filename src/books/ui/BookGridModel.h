#pragma once

#include "books/contacts/BookGridLayout.h"
#include "books/contacts/ContactPages.h"

#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <memory>
#include <optional>

// The name grids of the phone book window over one book: the grouped grid (a header row before each group's
// contacts) or the classic grid. The order of the rows is read as keys when the book changes; what a row shows is
// read a page at a time when the view asks for it (ContactPages).
class BookGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { NameColumn = 0, FirstNumberColumn = 1, ColumnCount = 6 };

    explicit BookGridModel(QObject* parent = nullptr);

    // The book to show (an invalid database: none); read again at once.
    void setDatabase(const QSqlDatabase& database);
    // Reads the order of the rows again (after a change of the book).
    bool reload();
    void setGrouped(bool grouped);
    bool grouped() const { return m_layout.grouped(); }
    void setFilter(BookGridLayout::Filter filter);
    void setGroupOpen(int groupId, bool open);
    void setAllGroupsOpen(bool open);

    bool isHeader(int row) const;
    // The contact of a row; none for a header row.
    std::optional<int> contactId(int row) const;
    int groupOf(int row) const;
    // The row of a contact, or -1.
    int rowOfContact(int id) const { return m_layout.rowOf(id); }
    // The stored contact of a row (read when needed); none for a header.
    std::optional<Contact> contact(int row);
    const BookGridLayout& layout() const { return m_layout; }
    const ContactPages* pages() const { return m_pages.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<int> pageAround(int row) const;
    const Contact* contactAt(int row) const;

    QSqlDatabase m_database;
    BookGridLayout m_layout;
    std::unique_ptr<ContactPages> m_pages;
};
