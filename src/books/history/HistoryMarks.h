#pragma once

#include <QList>
#include <QString>

class HistoryDatabase;

// The marks on history entries that change after the entry was written: SMS states, seen, archived and the
// recording flag.
class HistoryMarks final {
public:
    explicit HistoryMarks(HistoryDatabase& database);

    struct Written {
        int entryId = 0;
        QString number;
    };

    // Every sent-SMS entry of the order (kinds 4 to 7) gets the new kind.
    bool setSmsState(int orderNumber, int kind);
    // The sent-SMS entries of the order; none when the history cannot be read.
    QList<Written> sentSmsOfOrder(int orderNumber);
    // The SMS entries of the number are no longer shown in bold.
    bool markSmsRead(const QString& number);
    // Every entry still shown in bold keeps a missed marker and is no longer bold.
    bool markAllSeen();
    bool markSeen(int entryId);
    bool toggleArchived(int entryId);
    // The entries of these ids archived or not, in one transaction.
    bool setArchived(const QList<int>& entryIds, bool archived);
    bool toggleHasRecording(int entryId);

private:
    HistoryDatabase& m_database;
};
