#pragma once

#include "books/history/HistoryEntry.h"

#include <QList>
#include <QStringList>
#include <optional>

class HistoryDatabase;
class QSqlQuery;

// Reading entries of the call history.
class HistoryReader final {
public:
    explicit HistoryReader(HistoryDatabase& database);

    // The columns an entry is read from, in the order entryAt() expects them.
    static QString columns();
    static HistoryEntry entryAt(const QSqlQuery& query);

    // The whole entry; its start, end, number and recording identifier name the call's recording file.
    std::optional<HistoryEntry> entry(int entryId);
    // The entry of a recording made by the PBX, or -1.
    int entryForRecording(const QString& recordingId);
    // The PBX recording identifier of an entry, empty when it has none.
    QString recordingOfEntry(int entryId);

    enum class ContactEntries { All, SmsOnly };
    // The entries of any of the numbers (all the numbers of one contact), newest first.
    QList<HistoryEntry> entriesOfNumbers(const QStringList& numbers, ContactEntries which);

    // -1 when the database fails.
    int countNotArchived();
    int countAll();
    // Calls the user has not seen yet (still shown in bold): the missed calls the telephone window announces.
    int countUnseenCalls();

private:
    int count(const QString& statement);

    HistoryDatabase& m_database;
};
