#pragma once

#include <QString>
#include <QStringList>

class HistoryDatabase;

// The three tables beside the history that hold each distinct SMS text, caller name and called number once.
// Row 0 of each holds a blank and stands for "none".
class HistorySideTables final {
public:
    enum class Table { SmsTexts, CallerNames, CalledNumbers };

    explicit HistorySideTables(HistoryDatabase& database);

    // The id of the row holding the text (cut to the column's width), inserted when new; 0 for an empty text,
    // -1 when the database fails.
    int store(Table table, const QString& text);
    // The text of the row, empty when there is none.
    QString text(Table table, int id);
    // Deletes the row when no history entry refers to it; answers whether it was deleted.
    bool deleteWhenUnused(Table table, int id);
    // Deletes every row but row 0 of all three tables.
    bool clearAll();
    // Deletes every row but row 0 of all three tables that no entry refers to any more (the archived entries keep
    // their texts).
    bool clearUnused();

private:
    // Runs the statements on each table in one transaction; %1 stands for the table, %2 for History2's column
    // that refers to it.
    bool forEachTable(const QStringList& statements);

    HistoryDatabase& m_database;
};
