#include "bookseed/BookSeeder.h"

#include "books/contacts/ContactStore.h"
#include "books/database/PhoneBookConnector.h"
#include "bookseed/SeedContacts.h"
#include "bookseed/SeedOptions.h"

#include <QSqlError>
#include <QSqlQuery>

namespace bookseed {

namespace {

// Adds the contacts of request inside the open transaction; false with error at the first that fails.
bool insertAll(const QSqlDatabase& database, const SeedRequest& request, QString* error)
{
    // The contacts are written as saving writes them, folded names included.
    ContactStore store(database);
    for (const NamedNumber& named : request.named) {
        if (!store.insert(SeedContacts::named(named))) {
            *error = QStringLiteral("cannot add \"%1\": %2").arg(named.name, store.lastError());
            return false;
        }
    }
    for (int index = 1; index <= request.generated; ++index) {
        if (!store.insert(SeedContacts::generated(index))) {
            *error =
                QStringLiteral("cannot add generated contact %1: %2").arg(QString::number(index), store.lastError());
            return false;
        }
    }
    return true;
}

} // namespace

BookSeeder::BookSeeder(BookDialogsPort& dialogs)
    : m_dialogs(dialogs)
{
}

BookSeeder::Result BookSeeder::seed(const SeedRequest& request)
{
    PhoneBookConnector connector(BookState::privateBook(request.folder), m_dialogs);
    const ConnectOutcome outcome = connector.connect(request.folder, true);
    if (!outcome.ok) {
        return {false, 0, QStringLiteral("cannot open the phone book in %1: %2").arg(request.folder, outcome.error)};
    }
    // Every copy of the database handle ends in this block, before the connector closes the connection.
    QSqlDatabase database = connector.connection().database();
    if (!database.transaction()) {
        return {false, 0, QStringLiteral("cannot start a transaction: %1").arg(database.lastError().text())};
    }
    QString error;
    if (!insertAll(database, request, &error)) {
        database.rollback();
        return {false, 0, error};
    }
    if (!database.commit()) {
        error = database.lastError().text();
        database.rollback();
        return {false, 0, QStringLiteral("cannot commit the new contacts: %1").arg(error)};
    }
    return {true, static_cast<int>(request.named.size()) + request.generated, {}};
}

} // namespace bookseed
