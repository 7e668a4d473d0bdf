#pragma once

#include "books/Contact.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

// A contact straight into Book2, bypassing the checks of saving; numbers by position 1..5. Answers its ID, or -1.
inline int insertContact(const QSqlDatabase& database, const QString& name, const QStringList& numbers,
                         int groupId = 0)
{
    QSqlQuery query(database);
    query.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, Nr1, Nr2, Nr3, Nr4, Nr5, GroupID) "
                                 "VALUES (?, ?, ?, ?, ?, ?, ?) RETURNING ID"));
    query.addBindValue(name);
    for (int i = 0; i < Contact::NumberCount; ++i) {
        query.addBindValue(i < numbers.size() && !numbers[i].isEmpty() ? QVariant(numbers[i])
                                                                        : QVariant(QMetaType::fromType<QString>()));
    }
    query.addBindValue(groupId);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

// The first column of the first row of statement, or an invalid value.
inline QVariant scalar(const QSqlDatabase& database, const QString& statement)
{
    QSqlQuery query(database);
    return query.exec(statement) && query.next() ? query.value(0) : QVariant();
}
