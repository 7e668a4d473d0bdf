#include "books/ui/BookGridModel.h"

#include "settings/Lang.h"

#include <QFont>

BookGridModel::BookGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void BookGridModel::setDatabase(const QSqlDatabase& database)
{
    m_database = database;
    reload();
}

bool BookGridModel::reload()
{
    beginResetModel();
    m_pages = m_database.isOpen() ? std::make_unique<ContactPages>(m_database) : nullptr;
    bool ok = true;
    if (!m_pages) {
        // No book: no rows, the kind of grid stays.
        if (m_layout.grouped()) {
            m_layout.setGrouped({}, {});
        } else {
            m_layout.setClassic({});
        }
    } else if (m_layout.grouped()) {
        const auto groups = ContactOrder::groups(m_database);
        const auto keys = ContactOrder::byGroup(m_database);
        ok = groups && keys;
        m_layout.setGrouped(groups.value_or(QList<ContactOrder::Group>()), keys.value_or(QList<ContactOrder::Key>()));
    } else {
        const auto keys = ContactOrder::byName(m_database);
        ok = keys.has_value();
        m_layout.setClassic(keys.value_or(QList<ContactOrder::Key>()));
    }
    endResetModel();
    return ok;
}

void BookGridModel::setGrouped(bool grouped)
{
    if (grouped == m_layout.grouped()) {
        return;
    }
    // The layout keeps its kind until the order is read again.
    if (grouped) {
        m_layout.setGrouped({}, {});
    } else {
        m_layout.setClassic({});
    }
    reload();
}

void BookGridModel::setFilter(BookGridLayout::Filter filter)
{
    beginResetModel();
    m_layout.setFilter(std::move(filter));
    endResetModel();
}

void BookGridModel::setGroupOpen(int groupId, bool open)
{
    beginResetModel();
    m_layout.setGroupOpen(groupId, open);
    endResetModel();
}

void BookGridModel::setAllGroupsOpen(bool open)
{
    beginResetModel();
    m_layout.setAllGroupsOpen(open);
    endResetModel();
}

bool BookGridModel::isHeader(int row) const
{
    return row >= 0 && row < rowCount() && m_layout.rows()[static_cast<std::size_t>(row)].header;
}

std::optional<int> BookGridModel::contactId(int row) const
{
    if (row < 0 || row >= rowCount() || isHeader(row)) {
        return std::nullopt;
    }
    return m_layout.rows()[static_cast<std::size_t>(row)].id;
}

int BookGridModel::groupOf(int row) const
{
    return row >= 0 && row < rowCount() ? m_layout.rows()[static_cast<std::size_t>(row)].groupId : 0;
}

std::optional<Contact> BookGridModel::contact(int row)
{
    const Contact* found = contactAt(row);
    return found != nullptr ? std::optional<Contact>(*found) : std::nullopt;
}

int BookGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_layout.rows().size());
}

int BookGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QList<int> BookGridModel::pageAround(int row) const
{
    const int first = row - row % ContactPages::PageSize;
    const int last = std::min(rowCount(), first + ContactPages::PageSize);
    QList<int> ids;
    for (int i = first; i < last; ++i) {
        const auto& shown = m_layout.rows()[static_cast<std::size_t>(i)];
        if (!shown.header) {
            ids.append(shown.id);
        }
    }
    return ids;
}

const Contact* BookGridModel::contactAt(int row) const
{
    const std::optional<int> id = contactId(row);
    if (!id || !m_pages) {
        return nullptr;
    }
    return m_pages->contact(*id, pageAround(row));
}

QVariant BookGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto& shown = m_layout.rows()[static_cast<std::size_t>(index.row())];
    if (shown.header) {
        if (role == Qt::DisplayRole && index.column() == NameColumn) {
            return (m_layout.isGroupOpen(shown.id) ? QStringLiteral("[-] ") : QStringLiteral("[+] ")) +
                   m_layout.groupName(shown.id);
        }
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const Contact* contact = contactAt(index.row());
    if (contact == nullptr) {
        return {};
    }
    if (index.column() == NameColumn) {
        return role == Qt::ToolTipRole && !contact->opis.isEmpty() ? contact->opis : contact->nazwa;
    }
    return contact->numbers[static_cast<std::size_t>(index.column() - FirstNumberColumn)];
}

QVariant BookGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const char* const titles[] = {QT_TR_NOOP("     Name"), QT_TR_NOOP("Extension"), QT_TR_NOOP("Company"),
                                         QT_TR_NOOP("Home"),      QT_TR_NOOP("Mobile"),    QT_TR_NOOP("Other")};
    return section >= 0 && section < ColumnCount ? Lang::_(titles[section]) : QVariant();
}
