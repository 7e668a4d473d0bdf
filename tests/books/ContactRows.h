#pragma once

#include "books/contacts/Contact.h"
#include "books/contacts/ContactMessagesPort.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

// A contact straight into Book2, bypassing the checks of saving; numbers by position 1..5. Answers its ID, or -1.
inline int insertContact(const QSqlDatabase& database, const QString& name, const QStringList& numbers, int groupId = 0)
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

// A contact with a name and numbers by position, every other field as a new contact has it.
inline Contact contactNamed(const QString& name, const QStringList& numbers)
{
    Contact contact;
    contact.nazwa = name;
    for (int i = 0; i < numbers.size(); ++i) {
        contact.numbers[i] = numbers[i];
    }
    return contact;
}

// Records the boxes instead of showing them; questions are answered with answer.
class RecordedMessages final : public ContactMessagesPort {
public:
    void warning(const QString& caption, const QString& text) override { warnings.append({caption, text}); }
    bool ask(const QString& caption, const QString& text) override
    {
        questions.append({caption, text});
        return answer;
    }

    QString lastWarning() const { return warnings.isEmpty() ? QString() : warnings.last().second; }
    QStringList warningTexts() const
    {
        QStringList texts;
        for (const auto& warning : warnings) {
            texts.append(warning.second);
        }
        return texts;
    }

    QList<QPair<QString, QString>> warnings;
    QList<QPair<QString, QString>> questions;
    bool answer = true;
};
