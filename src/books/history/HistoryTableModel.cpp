#include "books/history/HistoryTableModel.h"

#include "books/history/HistoryDateText.h"
#include "settings/Lang.h"

#include <algorithm>
#include <iterator>

using Lang::_;

HistoryTableModel::HistoryTableModel(Sources sources, QObject* parent)
    : QAbstractTableModel(parent)
    , m_sources(std::move(sources))
    , m_names(m_sources.nameForNumber)
{
}

void HistoryTableModel::setSelection(const HistorySelection& selection)
{
    m_selection = selection;
    reload();
}

void HistoryTableModel::setDateStyle(int style, const QLocale& locale)
{
    m_dateStyle = style;
    m_locale = locale;
    if (!m_rows.isEmpty()) {
        emit dataChanged(index(0, DateColumn), index(static_cast<int>(m_rows.size()) - 1, DateColumn));
    }
}

void HistoryTableModel::reload()
{
    beginResetModel();
    m_rows.clear();
    m_atEnd = m_sources.database == nullptr || m_sources.database() == nullptr;
    endResetModel();
    if (!m_atEnd) {
        fetchMore();
    }
}

void HistoryTableModel::forgetNames()
{
    m_names.forget();
    if (!m_rows.isEmpty()) {
        emit dataChanged(index(0, NameColumn), index(static_cast<int>(m_rows.size()) - 1, NameColumn));
    }
}

HistoryFilters::Condition HistoryTableModel::condition() const
{
    return m_selection.condition(m_sources.today ? m_sources.today() : QDate::currentDate(), m_sources.unknownNumber);
}

bool HistoryTableModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !m_atEnd;
}

void HistoryTableModel::fetchMore(const QModelIndex& parent)
{
    HistoryDatabase* database = m_sources.database ? m_sources.database() : nullptr;
    if (parent.isValid() || m_atEnd || database == nullptr) {
        return;
    }
    const QList<HistoryRow> page = HistoryPages(*database).page(condition(), static_cast<int>(m_rows.size()), PageSize);
    m_atEnd = page.size() < PageSize;
    if (page.isEmpty()) {
        return;
    }
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
    m_rows.append(page);
    endInsertRows();
}

void HistoryTableModel::entryAdded(int entryId, const QString& number)
{
    HistoryDatabase* database = m_sources.database ? m_sources.database() : nullptr;
    if (database == nullptr) {
        return;
    }
    if (m_numbers && !number.isEmpty() && !m_numbers->contains(number)) {
        m_numbers->append(number);
    }
    const std::optional<HistoryRow> row = HistoryPages(*database).row(condition(), entryId);
    const int existing = indexOfEntry(entryId);
    if (existing >= 0) {
        // An SMS changed its state, or a reserved row was filled: the row goes from where it was.
        beginRemoveRows({}, existing, existing);
        m_rows.removeAt(existing);
        endRemoveRows();
    }
    if (!row) {
        return;
    }
    const int position = insertionPoint(row->entry);
    // A row older than everything read so far comes with its page, unless every page is read.
    if (position == m_rows.size() && !m_atEnd) {
        return;
    }
    beginInsertRows({}, position, position);
    m_rows.insert(position, *row);
    endInsertRows();
}

int HistoryTableModel::indexOfEntry(int entryId) const
{
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                    [entryId](const HistoryRow& row) { return row.entry.id == entryId; });
    return found == m_rows.cend() ? -1 : static_cast<int>(found - m_rows.cbegin());
}

int HistoryTableModel::insertionPoint(const HistoryEntry& entry) const
{
    const auto after = std::partition_point(m_rows.cbegin(), m_rows.cend(), [&entry](const HistoryRow& row) {
        return HistoryPages::isBefore(row.entry, entry);
    });
    return static_cast<int>(after - m_rows.cbegin());
}

const HistoryRow* HistoryTableModel::rowAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

std::optional<QStringList> HistoryTableModel::numbersWhere(const std::function<bool(const QString& number)>& accepts)
{
    HistoryDatabase* database = m_sources.database ? m_sources.database() : nullptr;
    if (database == nullptr) {
        return QStringList();
    }
    if (!m_numbers) {
        m_numbers = HistoryPages(*database).distinctNumbers();
    }
    QStringList found;
    std::copy_if(m_numbers->cbegin(), m_numbers->cend(), std::back_inserter(found), accepts);
    if (found.size() == m_numbers->size()) {
        return std::nullopt;
    }
    return found;
}

void HistoryTableModel::historyChanged()
{
    m_numbers.reset();
    reload();
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString HistoryTableModel::text(const HistoryRow& row, int column) const
{
    const HistoryEntry& entry = row.entry;
    switch (column) {
    case DateColumn:
        return HistoryDateText::start(entry, m_sources.today ? m_sources.today() : QDate::currentDate(), m_dateStyle,
                                      m_locale);
    case TimeColumn:
        return HistoryDateText::duration(entry);
    case NumberColumn:
        return entry.number;
    case ChosenNumberColumn:
        return row.calledNumber;
    case NameColumn:
        return m_names.name(entry.number);
    default:
        return {};
    }
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const
{
    const HistoryRow* row = index.isValid() ? rowAt(index.row()) : nullptr;
    if (row == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return text(*row, index.column());
    case KindRole:
        return row->entry.kind;
    case BoldRole:
        return row->entry.bold;
    case MissedRole:
        return row->entry.missed != 0;
    case RecordingRole:
        return row->entry.hasRecording;
    case ArchivedRole:
        return row->entry.archived;
    case EntryIdRole:
        return row->entry.id;
    default:
        return {};
    }
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
    case DateColumn:
        return _("Date");
    case TimeColumn:
        return _("Time");
    case NumberColumn:
        return _("Number");
    case ChosenNumberColumn:
        return _("Chosen number");
    case NameColumn:
        return _("Name");
    default:
        return QString();
    }
}
