#pragma once

#include "books/database/BookConnection.h"
#include "books/database/ConnectOutcome.h"

class BookDialogsPort;
class SchemaUpgrade;

// Connects the call history: finds or creates its folder and file and brings older files up to the current
// tables and columns.
class HistoryConnector final {
public:
    // defaultFolder: the data folder + "History/ConversationLog", used for an empty folder.
    HistoryConnector(QString defaultFolder, BookDialogsPort& dialogs);

    ConnectOutcome connect(const QString& folder, bool silent);

    bool isConnected() const { return m_connection.isOpen(); }
    BookConnection& connection() { return m_connection; }
    const QString& location() const { return m_location; }
    const QString& defaultFolder() const { return m_defaultFolder; }

    static QString fileName() { return QStringLiteral("history.mdb"); }

private:
    ConnectOutcome open(const QString& folder, bool silent);
    bool upgrade(SchemaUpgrade& schema);
    void addLateColumns(SchemaUpgrade& schema);

    QString m_defaultFolder;
    BookDialogsPort& m_dialogs;
    BookConnection m_connection;
    QString m_location;
};
