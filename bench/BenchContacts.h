#pragma once

// The contacts the phone book benchmarks fill their books with: common Polish names, five numbers each.
#include "books/contacts/NameIndex.h"
#include "books/database/SqlEngine.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace BenchContacts {

inline constexpr int NumberPositions = 5;
// Rows written by one INSERT while a book is filled.
inline constexpr int RowsPerInsert = 250;

inline QString numberOf(int contact, int position)
{
    return QStringLiteral("%1%2").arg(position).arg(contact, 8, 10, QLatin1Char('0'));
}

// Common Polish surnames and first names: about one contact in twenty has "kow" in the name.
inline QString nameOf(int contact)
{
    static const QStringList surnames{
        QStringLiteral("Nowak"),        QStringLiteral("Kowalski"),    QStringLiteral("Wiśniewski"),
        QStringLiteral("Wójcik"),       QStringLiteral("Kamiński"),    QStringLiteral("Lewandowski"),
        QStringLiteral("Zieliński"),    QStringLiteral("Szymański"),   QStringLiteral("Woźniak"),
        QStringLiteral("Dąbrowski"),    QStringLiteral("Kozłowski"),   QStringLiteral("Jankowski"),
        QStringLiteral("Mazur"),        QStringLiteral("Kwiatkowski"), QStringLiteral("Krawczyk"),
        QStringLiteral("Piotrowski"),   QStringLiteral("Grabowski"),   QStringLiteral("Nowakowski"),
        QStringLiteral("Pawłowski"),    QStringLiteral("Michalski"),   QStringLiteral("Nowicki"),
        QStringLiteral("Adamczyk"),     QStringLiteral("Dudek"),       QStringLiteral("Zając"),
        QStringLiteral("Wieczorek"),    QStringLiteral("Jabłoński"),   QStringLiteral("Król"),
        QStringLiteral("Majewski"),     QStringLiteral("Olszewski"),   QStringLiteral("Jaworski"),
        QStringLiteral("Wróbel"),       QStringLiteral("Malinowski"),  QStringLiteral("Pawlak"),
        QStringLiteral("Witkowski"),    QStringLiteral("Walczak"),     QStringLiteral("Stępień"),
        QStringLiteral("Górski"),       QStringLiteral("Rutkowski"),   QStringLiteral("Michalak"),
        QStringLiteral("Sikora"),       QStringLiteral("Ostrowski"),   QStringLiteral("Baran"),
        QStringLiteral("Duda"),         QStringLiteral("Szewczyk"),    QStringLiteral("Tomaszewski"),
        QStringLiteral("Pietrzak"),     QStringLiteral("Marciniak"),   QStringLiteral("Wróblewski"),
        QStringLiteral("Zalewski"),     QStringLiteral("Jakubowski"),  QStringLiteral("Jasiński"),
        QStringLiteral("Zawadzki"),     QStringLiteral("Sadowski"),    QStringLiteral("Bąk"),
        QStringLiteral("Chmielewski"),  QStringLiteral("Włodarczyk"),  QStringLiteral("Borkowski"),
        QStringLiteral("Czarnecki"),    QStringLiteral("Sawicki"),     QStringLiteral("Sokołowski"),
        QStringLiteral("Urbański"),     QStringLiteral("Kubiak"),      QStringLiteral("Maciejewski"),
        QStringLiteral("Szczepański"),  QStringLiteral("Kucharski"),   QStringLiteral("Wilk"),
        QStringLiteral("Kalinowski"),   QStringLiteral("Lis"),         QStringLiteral("Mazurek"),
        QStringLiteral("Wysocki"),      QStringLiteral("Adamski"),     QStringLiteral("Kaźmierczak"),
        QStringLiteral("Wasilewski"),   QStringLiteral("Sobczak"),     QStringLiteral("Czerwiński"),
        QStringLiteral("Andrzejewski"), QStringLiteral("Cieślak"),     QStringLiteral("Głowacki"),
        QStringLiteral("Zakrzewski"),   QStringLiteral("Kołodziej")};
    static const QStringList firstNames{
        QStringLiteral("Anna"),       QStringLiteral("Piotr"),     QStringLiteral("Maria"),
        QStringLiteral("Krzysztof"),  QStringLiteral("Katarzyna"), QStringLiteral("Andrzej"),
        QStringLiteral("Małgorzata"), QStringLiteral("Tomasz"),    QStringLiteral("Agnieszka"),
        QStringLiteral("Paweł"),      QStringLiteral("Barbara"),   QStringLiteral("Jan"),
        QStringLiteral("Ewa"),        QStringLiteral("Michał"),    QStringLiteral("Krystyna"),
        QStringLiteral("Marcin"),     QStringLiteral("Elżbieta"),  QStringLiteral("Łukasz"),
        QStringLiteral("Zofia"),      QStringLiteral("Grzegorz")};
    // Neighbouring contacts get unrelated names.
    const quint32 mixed = static_cast<quint32>(contact) * 2654435761U;
    return surnames[static_cast<qsizetype>(mixed % surnames.size())] + u' ' +
           firstNames[static_cast<qsizetype>((mixed / 97) % firstNames.size())];
}

// Adds size contacts to the book in one transaction (on PostgreSQL then vacuumed and analysed as autovacuum leaves
// a server's book); the error, or empty.
inline QString fillBook(QSqlDatabase db, int size, const QList<int>& groups = {})
{
    // Filling a large book takes longer than the statements of a ring may.
    QSqlQuery query(db);
    if (SqlEngines::of(db) == SqlEngine::Postgres) {
        query.exec(QStringLiteral("SET statement_timeout = 0"));
    }
    if (!db.transaction()) {
        return db.lastError().text();
    }
    const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)");
    for (int first = 0; first < size; first += RowsPerInsert) {
        const int count = std::min(RowsPerInsert, size - first);
        QStringList rows;
        rows.fill(row, count);
        query.prepare(QStringLiteral("INSERT INTO Book2 (Nazwa, NazwaSzuk, Nr1, Nr2, Nr3, Nr4, Nr5, GroupID) VALUES ") +
                      rows.join(u", "));
        for (int contact = first; contact < first + count; ++contact) {
            const QString name = nameOf(contact);
            query.addBindValue(name);
            query.addBindValue(NameIndex::searchForm(name));
            for (int position = 1; position <= NumberPositions; ++position) {
                query.addBindValue(numberOf(contact, position));
            }
            // Every contact in group 0, or spread over the groups given.
            query.addBindValue(groups.isEmpty() ? 0 : groups[contact % groups.size()]);
        }
        if (!query.exec()) {
            const QString text = query.lastError().text();
            db.rollback();
            return text;
        }
    }
    if (!db.commit()) {
        return db.lastError().text();
    }
    if (SqlEngines::of(db) == SqlEngine::Postgres) {
        // As autovacuum leaves a server's book: the trigram index's pending entries merged, statistics taken.
        query.exec(QStringLiteral("VACUUM ANALYZE Book2"));
        query.exec(QStringLiteral("SET statement_timeout = 1000"));
    }
    return {};
}

} // namespace BenchContacts
