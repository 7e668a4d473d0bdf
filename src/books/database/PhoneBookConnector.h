#pragma once

#include "books/database/BookConnection.h"
#include "books/database/BookIdentity.h"
#include "books/database/BookState.h"
#include "books/database/ConnectOutcome.h"
#include "books/database/DatabaseLocation.h"
#include "books/transfer/JetMigration.h"

class BookDialogsPort;
class SchemaUpgrade;

// Connects one phone book: finds or creates its folder and file (or reaches its PostgreSQL database), brings older
// files up to the current tables and columns, and reads the book's identity.
class PhoneBookConnector final {
public:
    PhoneBookConnector(BookState state, BookDialogsPort& dialogs,
                       IdentitySource identitySource = IdentitySource::system());

    // Connects with folder (a folder or a postgresql:// location); silent creates what is missing without asking,
    // unless creation is forbidden.
    ConnectOutcome connect(const QString& folder, bool silent,
                           DatabaseLocation::Creation creation = DatabaseLocation::Creation::Allowed);

    const BookState& state() const { return m_state; }
    BookState& state() { return m_state; }
    BookConnection& connection() { return m_connection; }
    // The folder or location of the open book.
    const QString& location() const { return m_location; }

    static QString fileName() { return QStringLiteral("book.mdb"); }

private:
    ConnectOutcome open(const QString& folder, bool silent, DatabaseLocation::Creation creation);
    bool upgrade(SchemaUpgrade& upgrade);
    void upgradeColumns(SchemaUpgrade& upgrade);
    void reportOldGenerationBook(const QString& folder);
    // Tells the user of a conversion of a file of the Windows generation; false when it failed.
    bool reportConversion(const JetMigration::Outcome& outcome, DatabaseLocation::Creation creation);

    BookState m_state;
    BookDialogsPort& m_dialogs;
    IdentitySource m_identitySource;
    BookConnection m_connection;
    QString m_location;
};
