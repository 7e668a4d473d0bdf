#include "app/SmsBookNumbers.h"

#include "books/contacts/Contact.h"
#include "books/contacts/NameSearch.h"
#include "books/database/TdbCore.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

SmsBookNumbers::SmsBookNumbers(TdbCore& books, const SettingsRecord& settings)
    : m_books(books)
    , m_settings(settings)
{
}

QList<SmsBookPort::Group> SmsBookNumbers::groups(int book)
{
    QList<Group> groups;
    PhoneBook* phoneBook = m_books.book(book);
    if (phoneBook == nullptr) {
        return groups;
    }
    QSqlQuery query(phoneBook->database());
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT ID, Nazwa FROM Groups ORDER BY Nazwa"))) {
        while (query.next()) {
            groups.append({query.value(0).toInt(), query.value(1).toString()});
        }
    }
    return groups;
}

QList<SmsBookPort::Number> SmsBookNumbers::numbers(int book, const QString& searchText)
{
    QList<Number> numbers;
    PhoneBook* phoneBook = m_books.book(book);
    if (phoneBook == nullptr) {
        return numbers;
    }
    NameSearch search(phoneBook->database(), m_settings.Ksiazka.SzukajNazw, m_settings.Ksiazka.IgnorujPolskieZnaki,
                      Lang::currentLanguage());
    const std::optional<QList<int>> matching = search.matching(searchText);
    if (!matching) {
        return numbers;
    }
    const QSet<int> passing(matching->cbegin(), matching->cend());
    QSqlQuery query(phoneBook->database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM Book2 ORDER BY Nazwa, ID"))) {
        return numbers;
    }
    while (query.next()) {
        const Contact contact = ContactColumns::read(query.record());
        if (!passing.contains(contact.id)) {
            continue;
        }
        for (int position = 0; position < Contact::NumberCount; ++position) {
            const QString& number = contact.numbers[static_cast<std::size_t>(position)];
            if (!number.isEmpty()) {
                numbers.append({contact.nazwa, number, position + 1, contact.groupId});
            }
        }
    }
    return numbers;
}
