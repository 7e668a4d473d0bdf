#include "books/ui/NumberListModel.h"

#include "settings/Lang.h"

NumberListModel::NumberListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void NumberListModel::setDatabase(const QSqlDatabase& database)
{
    m_pages = database.isOpen() ? std::make_unique<NumberPages>(database) : nullptr;
    setSearch(m_search);
}

void NumberListModel::setSearch(const QString& searchText)
{
    beginResetModel();
    m_search = searchText;
    m_rows.clear();
    if (m_pages) {
        m_pages->restart(searchText);
    }
    endResetModel();
    if (canFetchMore({})) {
        fetchMore({});
    }
}

const NumberPages::Entry* NumberListModel::entry(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

int NumberListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int NumberListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant NumberListModel::data(const QModelIndex& index, int role) const
{
    const NumberPages::Entry* shown = entry(index.row());
    if (shown == nullptr || role != Qt::DisplayRole) {
        return {};
    }
    return index.column() == 0 ? shown->number : shown->name;
}

QVariant NumberListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return section == 0 ? Lang::_("Number") : Lang::_("Name");
}

bool NumberListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_pages && !m_pages->atEnd();
}

void NumberListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent)) {
        return;
    }
    const std::optional<QList<NumberPages::Entry>> page = m_pages->next(PageSize);
    if (!page) {
        // The book cannot be read now: no more rows until it is shown again.
        m_pages.reset();
        return;
    }
    if (page->isEmpty()) {
        return;
    }
    beginInsertRows({}, static_cast<int>(m_rows.size()), static_cast<int>(m_rows.size() + page->size() - 1));
    m_rows.append(*page);
    endInsertRows();
}
