#include "books/contacts/NumberList.h"

#include "books/contacts/Contact.h"

#include <QStringList>

QString NumberList::selectStatement()
{
    static const QString statement = [] {
        QStringList parts;
        for (int i = 1; i <= Contact::NumberCount; ++i) {
            parts << QStringLiteral("SELECT ID, Nazwa, Nr%1 AS Numer, Typ%1 AS Typ FROM Book2 "
                                    "WHERE Nr%1 IS NOT NULL AND Nr%1 <> ''")
                         .arg(i);
        }
        return parts.join(QStringLiteral(" UNION ")) + QStringLiteral(" ORDER BY Numer");
    }();
    return statement;
}

QSqlQuery NumberList::query(const QSqlDatabase& database)
{
    QSqlQuery list(database);
    list.setForwardOnly(true);
    list.exec(selectStatement());
    return list;
}

bool NumberFilter::passes(const QString& number, const QString& searchText)
{
    if (number.isEmpty()) {
        return false;
    }
    if (searchText.isEmpty()) {
        return true;
    }
    const QStringView compared = number.startsWith(u'/') ? QStringView(number).sliced(1) : QStringView(number);
    return compared.startsWith(searchText);
}
