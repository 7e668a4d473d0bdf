#pragma once

#include <QString>
#include <QVariantList>
#include <array>
#include <optional>

class QSqlRecord;

// One contact of a phone book: a Book2 row with every column. Text columns keep the difference between NULL (a
// null QString) and empty, so that a row can be compared with what is stored exactly as it was read.
struct Contact {
    static constexpr int NumberCount = 5;
    // Number types: an internal number and the two outgoing-line prefixes.
    static constexpr int TypeExtension = 1;
    static constexpr int TypeBasic = 2;
    static constexpr int TypeAlternative = 3;

    int id = 0; // 0 for a contact not yet stored
    QString nazwa;
    std::array<QString, NumberCount> numbers;
    std::array<int, NumberCount> types{TypeExtension, TypeBasic, TypeBasic, TypeBasic, TypeBasic};
    QString notes;
    QString opis;
    QString email;
    bool otwNot = false;
    int fwd = 0;
    QString fwdNr;
    std::optional<int> defNr; // position of the default number from 0; empty until chosen
    int groupId = 0;

    bool operator==(const Contact&) const = default;
};

// How a contact maps onto the columns of Book2.
namespace ContactColumns {

// Every column but ID, in the order of values().
const QStringList& names();
// The column values of contact in the order of names(); null strings and an empty DefNr become NULL.
QVariantList values(const Contact& contact);
// NULL-tolerant reading of a row holding at least the columns of names() and ID; a NULL number type, Fwd,
// GroupID or OtwNot reads as the column's default.
Contact read(const QSqlRecord& record);
// The default of a column that reads NULL as a value, for the comparison of stored rows.
QVariant readDefault(const QString& column);

// The message for the user when a text of contact is longer than its column holds (the same on every engine);
// empty when everything fits.
QString tooLongMessage(const Contact& contact);

} // namespace ContactColumns
