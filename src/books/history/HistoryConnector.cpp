#include "books/history/HistoryConnector.h"

#include "books/database/BookDialogsPort.h"
#include "books/database/BookSchema.h"
#include "books/database/ColumnWidth.h"
#include "books/database/DatabaseLocation.h"
#include "books/database/SchemaUpgrade.h"
#include "books/transfer/JetMigration.h"
#include "settings/Lang.h"

#include <QDir>
#include <QFileInfo>

HistoryConnector::HistoryConnector(QString defaultFolder, BookDialogsPort& dialogs)
    : m_defaultFolder(std::move(defaultFolder))
    , m_dialogs(dialogs)
{
}

ConnectOutcome HistoryConnector::connect(const QString& folder, bool silent)
{
    m_connection.close();
    m_location.clear();
    const QString location = folder.isEmpty() ? m_defaultFolder : folder;
    ConnectOutcome outcome = open(location, silent);
    if (!outcome.ok) {
        m_connection.close();
        return outcome;
    }
    m_location = location;
    return outcome;
}

ConnectOutcome HistoryConnector::open(const QString& folder, bool silent)
{
    const WaitWindowShown wait(m_dialogs, Lang::_("Connecting to call history...\nPlease wait."));
    const DatabaseLocation::Checked checked = DatabaseLocation::check(
        folder, fileName(), silent, DatabaseLocation::Creation::Allowed, m_dialogs,
        {Lang::_("Invalid path to the history table:") + u' ' + folder,
         DatabaseLocation::withValue(Lang::_("Call history file has not been found in folder %s.\nCreate new?"),
                                     folder),
         Lang::_("no file of call history in folder")});
    if (!checked.ok) {
        return ConnectOutcome::failed(checked.error);
    }
    const JetMigration::Outcome converted = JetMigration::convert(JetMigration::Kind::History, folder, fileName());
    if (converted.result == JetMigration::Outcome::Result::Failed) {
        m_dialogs.showError(converted.message);
        return ConnectOutcome::failed(converted.message);
    }
    if (converted.result == JetMigration::Outcome::Result::Converted) {
        m_dialogs.showWarning(converted.message);
    }
    QString error;
    if (!m_connection.open(folder, fileName(), &error)) {
        return ConnectOutcome::failed(error);
    }
    {
        SchemaUpgrade schema(m_connection.database());
        if (!upgrade(schema)) {
            return ConnectOutcome::failed(schema.error());
        }
    }
    if (checked.fileIsNew && QFileInfo::exists(QDir(folder).filePath(QStringLiteral("historia.db")))) {
        // The first generation kept its history in a Paradox table, which no engine here can read.
        m_dialogs.showWarning(DatabaseLocation::withValue(
            Lang::_("In folder %s a call history of Norvel Tervo Telephone 1.0 (historia.db) has been found.\nIt "
                    "cannot be converted by this version."),
            folder));
    }
    return {true, {}, false};
}

bool HistoryConnector::upgrade(SchemaUpgrade& schema)
{
    if (!schema.begin()) {
        return false;
    }
    const SqlEngine engine = schema.engine();
    bool ok = true;
    if (!schema.hasTable(QStringLiteral("History2"))) {
        ok = schema.run(BookSchema::createHistory2(engine));
    }
    if (ok && schema.hasTable(QStringLiteral("History"))) {
        ok = schema.moveRows(QStringLiteral("History"), QStringLiteral("History2"), QStringLiteral("ID_Historia"));
    }
    // Each side table comes with its reference column in History2 and its row 0.
    if (ok && !schema.hasTable(QStringLiteral("Sms"))) {
        ok = schema.run(BookSchema::createSms(engine));
    }
    if (ok && !schema.hasTable(QStringLiteral("Komentarz"))) {
        ok = schema.run(BookSchema::createKomentarz(engine));
    }
    if (ok && !schema.hasTable(QStringLiteral("NrInit"))) {
        ok = schema.run(BookSchema::createNrInit(engine));
    }
    if (!ok) {
        schema.rollback();
        return false;
    }
    addLateColumns(schema);
    if (!schema.runOptional([&schema] {
            return ColumnWidth::widen(schema, QStringLiteral("History2"), {QStringLiteral("NrTel_Historia")},
                                      BookSchema::NumberWidth);
        })) {
        m_dialogs.showError(Lang::_("Error of history conversion"));
    }
    if (!schema.runOptional([&schema] { return schema.run({BookSchema::createStateIndex()}); })) {
        m_dialogs.showError(Lang::_("Error of history conversion"));
    }
    return schema.commit();
}

void HistoryConnector::addLateColumns(SchemaUpgrade& schema)
{
    const std::pair<QString, QString> columns[] = {
        // Rows already in the table get "no" rather than NULL, which counting and trimming compare against.
        {QStringLiteral("JestNagranie_Historia"), QStringLiteral("BOOLEAN DEFAULT FALSE")},
        {QStringLiteral("Archiwum_Historia"), QStringLiteral("BOOLEAN DEFAULT FALSE")},
        {QStringLiteral("ErecId_Historia"), QStringLiteral("VARCHAR(7)")},
        {QStringLiteral("Reserved_Historia"), QStringLiteral("BOOLEAN DEFAULT FALSE")},
    };
    for (const auto& [column, type] : columns) {
        if (schema.hasColumn(QStringLiteral("History2"), column)) {
            continue;
        }
        const QString statement = QStringLiteral("ALTER TABLE History2 ADD COLUMN %1 %2").arg(column, type);
        if (!schema.runOptional([&schema, &statement] { return schema.run({statement}); })) {
            m_dialogs.showError(Lang::_("Error of history conversion"));
        }
    }
}
