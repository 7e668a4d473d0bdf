#include "books/contacts/PhoneBook.h"

#include "books/database/BookSchema.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

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

QString PhoneBook::lookupStatement()
{
    // One statement for the five positions: for each, the first contact in name order (then by ID) that has the
    // number there, straight from its index; the earliest position that has one answers.
    QStringList firstOfPosition;
    QStringList positionFound;
    QStringList ids;
    for (int position = 1; position <= Contact::NumberCount; ++position) {
        firstOfPosition
            << QStringLiteral("(SELECT ID FROM Book2 WHERE Nr%1 = ? ORDER BY Nazwa, ID LIMIT 1)").arg(position);
        positionFound << QStringLiteral("WHEN m%1 IS NOT NULL THEN %1").arg(position);
        ids << QStringLiteral("m%1").arg(position);
    }
    return QStringLiteral("WITH Found (%1) AS (SELECT %2) SELECT Book2.ID, Book2.Nazwa, CASE %3 END FROM Found "
                          "JOIN Book2 ON Book2.ID = COALESCE(%1)")
        .arg(ids.join(u", "), firstOfPosition.join(u", "), positionFound.join(u' '));
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
        m_lookup = QSqlQuery(m_database);
        m_lookup.setForwardOnly(true);
        m_prepared = m_lookup.prepare(lookupStatement());
    }
    for (int position = 0; position < Contact::NumberCount; ++position) {
        m_lookup.bindValue(position, wanted);
    }
    if (!m_prepared || !m_lookup.exec()) {
        // A locked table or a server that does not answer within the command time-out: the book is unavailable
        // for this lookup and the caller is shown by number.
        qWarning().noquote() << "A phone book is unavailable for a number lookup:" << m_lookup.lastError().text();
        m_lookup.finish();
        m_prepared = false;
        return std::nullopt;
    }
    std::optional<Match> answer;
    if (m_lookup.next()) {
        answer = Match{m_lookup.value(0).toInt(), m_lookup.value(1).toString(), m_lookup.value(2).toInt()};
        m_matchedPosition = answer->position;
        m_currentContactId = answer->id;
    }
    // A statement left open would keep other users' writes to the file waiting.
    m_lookup.finish();
    return answer;
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
