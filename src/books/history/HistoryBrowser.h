#pragma once

#include "books/history/HistoryTableModel.h"

#include <QList>
#include <QObject>

class Clock;
class TdbCore;
struct SettingsRecord;

// What the history window does, without the window: the filters kept in the settings, the two searches as the
// user types, the seen marks when the history is shown, archiving, deleting, and the rows that follow the history
// as calls end.
class HistoryBrowser final : public QObject {
    Q_OBJECT

public:
    // The four lists of the window, kept in FiltrWgDaty, FiltrWgRozm, FiltrWgNr and FiltrWgTypu.
    enum class Filter { Date, Conversation, Number, Kind };

    HistoryBrowser(TdbCore& books, SettingsRecord& settings, Clock& clock, QObject* parent = nullptr);

    HistoryTableModel& model() { return m_model; }

    int filter(Filter filter) const;
    void setFilter(Filter filter, int index);
    // False when the text holds other characters than digits and "+": the rows stay as they are.
    bool setNumberSearch(const QString& text);
    void setNameSearch(const QString& text);
    // Every filter back to "all" and both searches emptied.
    void showAll();
    // Ogolne/HistData.
    void setDateStyle(int style);

    // The window was shown: the rows are read again and every entry not seen yet is marked seen (its missed marker
    // kept); the rows read show them in bold still, for this look at them.
    void markAllSeen();
    // The SMS text of the row's entry; marks the entry seen.
    QString viewSms(const HistoryEntry& entry);
    bool setArchived(const QList<int>& entryIds, bool archived);
    // The number of entries deleted; archived ones stay.
    int deleteEntries(const QList<int>& entryIds);
    // Everything but the archived entries.
    bool deleteAll();

signals:
    // Entries were marked seen: the telephone window's missed-call indication goes.
    void seenMarked();

private:
    HistoryDatabase* database();
    // The setting that keeps the list's choice.
    int& setting(Filter filter) const;
    void select();

    TdbCore& m_books;
    SettingsRecord& m_settings;
    Clock& m_clock;
    HistoryTableModel m_model;
    QString m_numberText;
    QString m_nameText;
};
