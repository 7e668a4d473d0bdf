#pragma once

#include "books/contacts/NumberPages.h"

#include <QAbstractTableModel>
#include <memory>

// The "Sort by numbers" grid: every number of the book with its contact's name, in number order, read a page at a
// time as the view scrolls towards the end (canFetchMore/fetchMore).
class NumberListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int PageSize = 200;

    explicit NumberListModel(QObject* parent = nullptr);

    void setDatabase(const QSqlDatabase& database);
    // From the first number again, only the numbers that begin with searchText.
    void setSearch(const QString& searchText);
    const NumberPages::Entry* entry(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    std::unique_ptr<NumberPages> m_pages;
    QList<NumberPages::Entry> m_rows;
    QString m_search;
};
