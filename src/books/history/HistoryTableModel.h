#pragma once

#include "books/history/HistoryNames.h"
#include "books/history/HistoryPages.h"
#include "books/history/HistorySelection.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QLocale>
#include <functional>
#include <optional>

class HistoryDatabase;

// The rows of the history window: the entries of the selection, newest first, read a page at a time as the grid
// scrolls, and kept up to date entry by entry as calls end. The look of a row (bold, icons) is told by roles; the
// window draws it.
class HistoryTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int PageSize = 100;

    enum Column {
        BoldColumn,
        MissedColumn,
        KindColumn,
        RecordingColumn,
        DateColumn,
        TimeColumn,
        NumberColumn,
        ChosenNumberColumn,
        NameColumn,
        ColumnCount
    };

    enum Role {
        KindRole = Qt::UserRole + 1, // the entry kind
        BoldRole,                    // not seen yet
        MissedRole,                  // the missed marker
        RecordingRole,               // a recording exists
        ArchivedRole,
        EntryIdRole,
    };

    struct Sources {
        std::function<HistoryDatabase*()> database; // null while the history is closed
        HistoryNames::Lookup nameForNumber;
        std::function<QDate()> today;
        QString unknownNumber; // the translated word stored for an unknown party
    };

    explicit HistoryTableModel(Sources sources, QObject* parent = nullptr);

    // Shows what the selection passes, from the newest entry.
    void setSelection(const HistorySelection& selection);
    const HistorySelection& selection() const { return m_selection; }
    // Ogolne/HistData and the language of the day and month names.
    void setDateStyle(int style, const QLocale& locale);
    // Reads the first page again: the history changed under the rows read so far.
    void reload();
    // An entry was written (number: the one it was written with): its row appears, changes or goes as the
    // selection says, without reading the rest.
    void entryAdded(int entryId, const QString& number);
    // The books changed: names are asked again.
    void forgetNames();

    // The row, or null.
    const HistoryRow* rowAt(int row) const;
    // The numbers of the history that the predicate accepts; none when it accepts them all. The history's numbers
    // are read once and then kept up to date as entries are added, so that a search as the user types reads no
    // table.
    std::optional<QStringList> numbersWhere(const std::function<bool(const QString& number)>& accepts);
    // Entries went or the history was opened again: its numbers are read again and so are the rows.
    void historyChanged();
    QString nameOf(const QString& number) { return m_names.name(number); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

private:
    HistoryFilters::Condition condition() const;
    QString text(const HistoryRow& row, int column) const;
    int indexOfEntry(int entryId) const;
    int insertionPoint(const HistoryEntry& entry) const;

    Sources m_sources;
    HistorySelection m_selection;
    mutable HistoryNames m_names;
    QList<HistoryRow> m_rows;
    std::optional<QStringList> m_numbers; // every number of the history, once read
    bool m_atEnd = true;
    int m_dateStyle = 0;
    QLocale m_locale;
};
