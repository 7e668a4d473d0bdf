#include "books/PhoneBook.h"

#include "books/BookSchema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

bool ensureNumberIndexes(QSqlDatabase& database, QString* error)
{
    QStringList statements;
    for (int i = 1; i <= Contact::NumberCount; ++i) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Idx_Nr%1 ON Book2 (Nr%1)").arg(i);
    }
    return BookSchema::run(database, statements, error);
}

PhoneBook::PhoneBook(QSqlDatabase database)
    : m_database(std::move(database))
{
}

QString PhoneBook::lookupName(const QString& number)
{
    const std::optional<Match> found = match(number);
    return found ? found->name : QString();
}

int PhoneBook::findContact(const QString& number)
{
    const std::optional<Match> found = match(number);
    return found ? found->id : -1;
}

std::optional<PhoneBook::Match> PhoneBook::match(const QString& number)
{
    if (!m_database.isOpen()) {
        return std::nullopt;
    }
    const QString wanted = number.mid(number.lastIndexOf(u'/') + 1);
    if (wanted.isEmpty()) {
        return std::nullopt;
    }
    if (!m_prepared) {
        // One indexed query per position instead of a pass over the table, prepared once for all lookups.
        for (int position = 1; position <= Contact::NumberCount; ++position) {
            QSqlQuery& query = m_lookups[position - 1];
            query = QSqlQuery(m_database);
            query.setForwardOnly(true);
            query.prepare(
                QStringLiteral("SELECT ID, Nazwa FROM Book2 WHERE Nr%1 = ? ORDER BY Nazwa, ID LIMIT 1").arg(position));
        }
        m_prepared = true;
    }
    for (int position = 1; position <= Contact::NumberCount; ++position) {
        QSqlQuery& query = m_lookups[position - 1];
        query.bindValue(0, wanted);
        const bool found = query.exec() && query.next();
        std::optional<Match> answer;
        if (found) {
            answer = Match{query.value(0).toInt(), query.value(1).toString(), position};
        }
        // A statement left open would keep other users' writes to the file waiting.
        query.finish();
        if (answer) {
            m_matchedPosition = position;
            m_currentContactId = answer->id;
            return answer;
        }
    }
    return std::nullopt;
}

QStringList PhoneBook::numbersOfName(const QString& name) const
{
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT Nr1, Nr2, Nr3, Nr4, Nr5 FROM Book2 WHERE Nazwa = ?"));
    query.addBindValue(name);
    QStringList numbers;
    if (!query.exec()) {
        return numbers;
    }
    while (query.next()) {
        for (int i = 0; i < Contact::NumberCount; ++i) {
            const QString number = query.value(i).toString();
            if (!number.isEmpty() && !numbers.contains(number)) {
                numbers.append(number);
            }
        }
    }
    return numbers;
}

std::optional<Contact> PhoneBook::contact(int id) const
{
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ID, %1 FROM Book2 WHERE ID = ?").arg(ContactColumns::names().join(u", ")));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) {
        return std::nullopt;
    }
    return ContactColumns::read(query.record());
}
