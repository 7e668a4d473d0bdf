#include "books/database/PhoneBookConnector.h"

#include "books/contacts/NameIndex.h"
#include "books/database/BookDialogsPort.h"
#include "books/database/BookSchema.h"
#include "books/database/ColumnWidth.h"
#include "books/database/DatabaseLocation.h"
#include "books/database/SchemaUpgrade.h"
#include "books/transfer/JetMigration.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFileInfo>

PhoneBookConnector::PhoneBookConnector(BookState state, BookDialogsPort& dialogs, IdentitySource identitySource)
    : m_state(std::move(state))
    , m_dialogs(dialogs)
    , m_identitySource(std::move(identitySource))
{
}

ConnectOutcome PhoneBookConnector::connect(const QString& folder, bool silent, DatabaseLocation::Creation creation)
{
    m_connection.close();
    m_state.connected = false;
    m_location.clear();
    const bool wasOnDefaults = m_state.defaults;
    m_state.defaults = false;

    QString location = folder;
    if (location.isEmpty() && !m_state.isPublic) {
        location = m_state.defaultFolder;
        m_state.defaults = true;
    }
    if (location.isEmpty()) {
        // A public book without a folder: there is none, and lookups skip it.
        m_state.defaults = true;
        return {true, {}, false};
    }

    ConnectOutcome outcome = open(location, silent, creation);
    if (!outcome.ok) {
        m_connection.close();
        return outcome;
    }
    m_location = location;
    m_state.connected = true;
    m_state.clearPendingError();
    outcome.leftDefaults = wasOnDefaults && !m_state.defaults;
    return outcome;
}

ConnectOutcome PhoneBookConnector::open(const QString& folder, bool silent, DatabaseLocation::Creation creation)
{
    const WaitWindowShown wait(m_dialogs, Lang::_("Connecting a phone book...\nPlease wait."));
    const QString file = QDir(folder).filePath(fileName());
    const DatabaseLocation::Checked checked = DatabaseLocation::check(
        folder, fileName(), silent, creation, m_dialogs,
        {Lang::_("Invalid path to phone book"),
         DatabaseLocation::withValue(Lang::_("Phone book file (%s) is not found.\nCreate new?"), file),
         Lang::_("No phone book file:") + u' ' + file});
    if (!checked.ok) {
        m_state.defaults = true;
        return ConnectOutcome::failed(checked.error);
    }

    if (!BookConnection::isServerLocation(folder)) {
        const JetMigration::Outcome converted = JetMigration::convert(JetMigration::Kind::Book, folder, fileName());
        if (!reportConversion(converted, creation)) {
            return ConnectOutcome::failed(converted.message);
        }
    }
    QString error;
    if (!m_connection.open(folder, fileName(), &error)) {
        return ConnectOutcome::failed(checked.fileIsNew ? Lang::_("Error of phone book file creation:") + u' ' + file
                                                        : error);
    }
    {
        SchemaUpgrade schema(m_connection.database());
        if (!upgrade(schema)) {
            return ConnectOutcome::failed(schema.error());
        }
    }
    if (checked.fileIsNew && QFileInfo::exists(QDir(folder).filePath(QStringLiteral("LBook.db")))) {
        reportOldGenerationBook(folder);
    }
    return {true, {}, false};
}

bool PhoneBookConnector::upgrade(SchemaUpgrade& schema)
{
    if (!schema.begin()) {
        return false;
    }
    const SqlEngine engine = schema.engine();
    bool ok = true;
    if (!schema.hasTable(QStringLiteral("Book2"))) {
        ok = schema.run(BookSchema::createBook2(engine));
    }
    if (ok && schema.hasTable(QStringLiteral("Book"))) {
        ok = schema.moveRows(QStringLiteral("Book"), QStringLiteral("Book2"), QStringLiteral("ID"));
    }
    if (ok && !schema.hasTable(QStringLiteral("Info"))) {
        ok = schema.run({BookSchema::createInfo()}) &&
             schema.exec(QStringLiteral("INSERT INTO Info (Hash) VALUES (?)"), {BookIdentity::make(m_identitySource)});
    }
    if (ok && !schema.hasTable(QStringLiteral("Groups"))) {
        ok = schema.run(BookSchema::createGroups(engine)) &&
             schema.exec(QStringLiteral("INSERT INTO Groups (ID, Nazwa) VALUES (0, ?)"), {Lang::_("Others")});
    }
    if (!ok) {
        schema.rollback();
        return false;
    }
    upgradeColumns(schema);
    if (!schema.run(BookSchema::createNumberIndexes() + QStringList{BookSchema::createGroupIndex()}) ||
        !NameIndex::upgrade(schema)) {
        schema.rollback();
        return false;
    }
    if (schema.hasTable(QStringLiteral("TelTypes"))) {
        ok = schema.run({QStringLiteral("DROP TABLE TelTypes")});
    }
    if (ok && !schema.hasTable(QStringLiteral("TelTypes2"))) {
        ok = schema.run(BookSchema::createTelTypes2(engine));
    }
    if (ok && !schema.runOptional([&schema] {
            return ColumnWidth::widen(schema, QStringLiteral("Book2"),
                                      {QStringLiteral("Nr1"), QStringLiteral("Nr2"), QStringLiteral("Nr3"),
                                       QStringLiteral("Nr4"), QStringLiteral("Nr5")},
                                      BookSchema::NumberWidth);
        })) {
        m_dialogs.showError(Lang::_("Error of phone book conversion"));
    }
    if (!ok) {
        schema.rollback();
        return false;
    }
    // The identity is read once the upgrade is final; an unreadable Info leaves 0.
    m_state.identity = schema.value(QStringLiteral("SELECT Hash FROM Info")).toInt();
    return schema.commit();
}

void PhoneBookConnector::upgradeColumns(SchemaUpgrade& schema)
{
    // Columns added by later versions, each only when missing. A failed step is reported and the book opens
    // without that column.
    const std::pair<QString, QStringList> steps[] = {
        {QStringLiteral("DefNr"), {QStringLiteral("ALTER TABLE Book2 ADD COLUMN DefNr SMALLINT DEFAULT 0")}},
        {QStringLiteral("GroupID"),
         {QStringLiteral("ALTER TABLE Book2 ADD COLUMN GroupID INTEGER DEFAULT 0 CONSTRAINT gr_pk REFERENCES Groups"),
          QStringLiteral("UPDATE Book2 SET GroupID = 0 WHERE GroupID IS NULL")}},
        {QStringLiteral("Email"), {QStringLiteral("ALTER TABLE Book2 ADD COLUMN Email VARCHAR(80)")}},
    };
    for (const auto& step : steps) {
        const QStringList& statements = step.second;
        if (!schema.hasColumn(QStringLiteral("Book2"), step.first) &&
            !schema.runOptional([&schema, &statements] { return schema.run(statements); })) {
            m_dialogs.showError(Lang::_("Error of phone book conversion"));
        }
    }
}

bool PhoneBookConnector::reportConversion(const JetMigration::Outcome& outcome, DatabaseLocation::Creation creation)
{
    switch (outcome.result) {
    case JetMigration::Outcome::Result::NothingToDo:
        return true;
    case JetMigration::Outcome::Result::Converted:
        m_dialogs.showWarning(outcome.message);
        return true;
    case JetMigration::Outcome::Result::Failed:
        // Said once, when the book is opened; the periodic refresh tries again without a box each time.
        if (creation == DatabaseLocation::Creation::Allowed) {
            m_dialogs.showError(outcome.message);
        }
        return false;
    }
    return false;
}

void PhoneBookConnector::reportOldGenerationBook(const QString& folder)
{
    // The first generation kept its book in a Paradox table, which no engine here can read.
    m_dialogs.showWarning(DatabaseLocation::withValue(
        Lang::_("In folder %s a phone book of Norvel Tervo Telephone 1.0 (LBook.db) has been found.\nIt cannot be "
                "converted by this version."),
        folder));
}
