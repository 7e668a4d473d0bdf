#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

// The rows a statement returns from that SQLite file, each with its first columns values, read on a read-only
// connection of their own so that the program writing the file is not disturbed.
inline QList<QVariantList> readOnlyRows(const QString& file, const QString& statement, int columns)
{
    const QString connection = QStringLiteral("read-only-rows");
    QList<QVariantList> rows;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(file);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (database.open()) {
            QSqlQuery query(database);
            query.exec(statement);
            while (query.next()) {
                QVariantList row;
                for (int column = 0; column < columns; ++column) {
                    row.append(query.value(column));
                }
                rows.append(row);
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}
