#pragma once

#include "ContactRows.h"
#include "books/contacts/Contact.h"
#include "books/contacts/PhoneBook.h"
#include "books/database/BookSchema.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

// A phone book in an SQLite file, opened on its own connection and closed with the fixture.
class SqliteBookFile final {
public:
    SqliteBookFile(const QString& file, const QString& connectionName, bool create)
        : m_name(connectionName)
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(file);
        m_ready = database.open() &&
                  (!create || BookSchema::createPhoneBook(database, QStringLiteral("Others"), 1, &m_error));
    }
    ~SqliteBookFile() { QSqlDatabase::removeDatabase(m_name); }
    SqliteBookFile(const SqliteBookFile&) = delete;
    SqliteBookFile& operator=(const SqliteBookFile&) = delete;

    QSqlDatabase database() const { return QSqlDatabase::database(m_name); }
    bool ready() const { return m_ready; }
    QString error() const { return m_error; }

    // A contact straight into Book2, bypassing validation; numbers by position 1..5.
    int add(const QString& name, const QStringList& numbers, int groupId = 0) const
    {
        return insertContact(database(), name, numbers, groupId);
    }

private:
    QString m_name;
    QString m_error;
    bool m_ready = false;
};
