#pragma once

#include "books/database/BookSchema.h"
#include "books/history/HistoryDatabase.h"
#include "books/history/HistoryErrorPort.h"
#include "support/HistoryRows.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A new history file in a temporary folder, and the errors its register reported.
class HistoryTestDatabase final : public HistoryErrorPort {
public:
    HistoryTestDatabase()
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
        database.setDatabaseName(m_folder.filePath(QStringLiteral("history.mdb")));
        QString error;
        m_ready = database.open() && BookSchema::createHistory(database, &error);
        m_history = std::make_unique<HistoryDatabase>(database, *this);
    }

    ~HistoryTestDatabase() override
    {
        m_history.reset();
        QSqlDatabase::removeDatabase(connectionName());
    }

    HistoryTestDatabase(const HistoryTestDatabase&) = delete;
    HistoryTestDatabase& operator=(const HistoryTestDatabase&) = delete;

    bool isReady() const { return m_ready; }
    HistoryDatabase& history() { return *m_history; }
    QSqlDatabase database() const { return QSqlDatabase::database(connectionName()); }
    QString folder() const { return m_folder.path(); }

    void showHistoryError(const QString& message, const QString& detail) override
    {
        errors.append(message + u' ' + detail);
    }

    // An integer the statement answers, or -1.
    int scalar(const QString& statement) const
    {
        QSqlQuery query(database());
        return query.exec(statement) && query.next() ? query.value(0).toInt() : -1;
    }

    QStringList errors;

private:
    static QString connectionName() { return QStringLiteral("history-test"); }

    QTemporaryDir m_folder;
    std::unique_ptr<HistoryDatabase> m_history;
    bool m_ready = false;
};
