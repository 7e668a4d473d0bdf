#include "books/database/ColumnWidth.h"

#include "books/database/SchemaUpgrade.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {

int sqliteDeclared(QSqlDatabase& database, const QString& table, const QString& column)
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
        return -1;
    }
    while (query.next()) {
        if (query.value(1).toString().compare(column, Qt::CaseInsensitive) == 0) {
            const QRegularExpressionMatch match = size.match(query.value(2).toString());
            return match.hasMatch() ? match.captured(1).toInt() : -1;
        }
    }
    return -1;
}

int postgresDeclared(QSqlDatabase& database, const QString& table, const QString& column)
{
    QSqlQuery query(database);
    query.prepare(QStringLiteral("SELECT character_maximum_length FROM information_schema.columns "
                                 "WHERE table_schema = current_schema() AND table_name = ? AND column_name = ?"));
    query.addBindValue(table.toLower());
    query.addBindValue(column.toLower());
    if (!query.exec() || !query.next() || query.value(0).isNull()) {
        return -1;
    }
    return query.value(0).toInt();
}

// The CREATE statement of table with the declarations of columns replaced by VARCHAR(width) and the table named
// newName; empty when a declaration is not found.
QString widenedDefinition(const QString& definition, const QString& table, const QString& newName,
                          const QStringList& columns, int width)
{
    QString result = definition;
    const QRegularExpression header(
        QStringLiteral("^\\s*CREATE\\s+TABLE\\s+[\"'`\\[]?%1[\"'`\\]]?").arg(QRegularExpression::escape(table)),
        QRegularExpression::CaseInsensitiveOption);
    if (!header.match(result).hasMatch()) {
        return {};
    }
    result.replace(header, QStringLiteral("CREATE TABLE %1").arg(newName));
    for (const QString& column : columns) {
        const QRegularExpression declaration(
            QStringLiteral("([\\s,(][\"'`\\[]?%1[\"'`\\]]?\\s+)[A-Za-z][A-Za-z ]*\\(\\s*\\d+\\s*\\)")
                .arg(QRegularExpression::escape(column)),
            QRegularExpression::CaseInsensitiveOption);
        if (!declaration.match(result).hasMatch()) {
            return {};
        }
        result.replace(declaration, QStringLiteral("\\1VARCHAR(%1)").arg(width));
    }
    return result;
}

bool rebuildSqliteTable(SchemaUpgrade& upgrade, const QString& table, const QStringList& columns, int width)
{
    const QString newName = table + QStringLiteral("_widened");
    QStringList indexes;
    QString definition;
    qint64 sequence = -1;
    {
        QSqlQuery query(upgrade.database());
        query.prepare(QStringLiteral("SELECT type, sql FROM sqlite_master WHERE tbl_name = ? AND sql IS NOT NULL"));
        query.addBindValue(table);
        if (!query.exec()) {
            return false;
        }
        while (query.next()) {
            if (query.value(0).toString() == u"table") {
                definition = query.value(1).toString();
            } else {
                indexes.append(query.value(1).toString());
            }
        }
        query.prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"));
        query.addBindValue(table);
        if (query.exec() && query.next()) {
            sequence = query.value(0).toLongLong();
        }
    }
    const QString widened = widenedDefinition(definition, table, newName, columns, width);
    if (widened.isEmpty()) {
        return false;
    }
    // The columns keep their order, so the rows copy by position.
    QStringList statements{widened, QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(newName, table),
                           QStringLiteral("DROP TABLE %1").arg(table),
                           QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(newName, table)};
    statements += indexes;
    if (!upgrade.run(statements)) {
        return false;
    }
    // A counter never hands out the number of a deleted row again, also after the rebuild.
    return sequence < 0 || upgrade.exec(QStringLiteral("UPDATE sqlite_sequence SET seq = MAX(seq, ?) WHERE name = ?"),
                                        {sequence, table});
}

} // namespace

int ColumnWidth::declared(SchemaUpgrade& upgrade, const QString& table, const QString& column)
{
    return upgrade.engine() == SqlEngine::Postgres ? postgresDeclared(upgrade.database(), table, column)
                                                   : sqliteDeclared(upgrade.database(), table, column);
}

bool ColumnWidth::widen(SchemaUpgrade& upgrade, const QString& table, const QStringList& columns, int width)
{
    QStringList narrow;
    for (const QString& column : columns) {
        const int current = declared(upgrade, table, column);
        if (current > 0 && current < width) {
            narrow.append(column);
        }
    }
    if (narrow.isEmpty()) {
        return true;
    }
    if (upgrade.engine() == SqlEngine::Sqlite) {
        return rebuildSqliteTable(upgrade, table, narrow, width);
    }
    QStringList statements;
    for (const QString& column : narrow) {
        statements.append(
            QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE VARCHAR(%3)").arg(table, column).arg(width));
    }
    return upgrade.run(statements);
}
