#include "books/transfer/ContactFields.h"

#include "books/database/DatabaseLocation.h"
#include "settings/Lang.h"

namespace {

// The position 0..4 of a "NrK" or "TypK" column, else -1.
int positionIn(const QString& column, QLatin1String prefix)
{
    if (!column.startsWith(prefix, Qt::CaseInsensitive) || column.size() != prefix.size() + 1) {
        return -1;
    }
    const int position = column.back().digitValue() - 1;
    return position >= 0 && position < Contact::NumberCount ? position : -1;
}

std::optional<bool> yesNo(const QString& value)
{
    const QString word = value.trimmed().toLower();
    if (word.isEmpty() || word == u"0" || word == u"false" || word == u"no") {
        return false;
    }
    if (word == u"1" || word == u"-1" || word == u"true" || word == u"yes") {
        return true;
    }
    return std::nullopt;
}

bool malformed(const QString& column, const QString& value, QString* error)
{
    if (error != nullptr) {
        *error = DatabaseLocation::withValue(Lang::_("Column %s holds a value it cannot take:"), column) + u' ' + value;
    }
    return false;
}

} // namespace

QString ContactFields::text(const Contact& contact, const QString& column)
{
    if (const int position = positionIn(column, QLatin1String("Nr")); position >= 0) {
        return contact.numbers[position];
    }
    if (const int position = positionIn(column, QLatin1String("Typ")); position >= 0) {
        return QString::number(contact.types[position]);
    }
    const QString name = column.toLower();
    if (name == u"nazwa") {
        return contact.nazwa;
    }
    if (name == u"opis") {
        return contact.opis;
    }
    if (name == u"notes") {
        return contact.notes;
    }
    if (name == u"email") {
        return contact.email;
    }
    if (name == u"otwnot") {
        return contact.otwNot ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (name == u"fwd") {
        return QString::number(contact.fwd);
    }
    if (name == u"fwdnr") {
        return contact.fwdNr;
    }
    if (name == u"defnr") {
        return contact.defNr.has_value() ? QString::number(*contact.defNr) : QString();
    }
    return {};
}

bool ContactFields::setText(Contact& contact, const QString& column, const QString& value, QString* error)
{
    // Numbers are small integers; a missing one takes the column's default.
    const auto number = [&](int fallback) -> std::optional<int> {
        if (value.trimmed().isEmpty()) {
            return fallback;
        }
        bool ok = false;
        const int parsed = value.trimmed().toInt(&ok);
        return ok && parsed >= -32768 && parsed <= 32767 ? std::optional<int>(parsed) : std::nullopt;
    };
    if (const int position = positionIn(column, QLatin1String("Nr")); position >= 0) {
        contact.numbers[position] = value;
        return true;
    }
    if (const int position = positionIn(column, QLatin1String("Typ")); position >= 0) {
        const std::optional<int> type = number(position == 0 ? Contact::TypeExtension : Contact::TypeBasic);
        if (!type) {
            return malformed(column, value, error);
        }
        contact.types[position] = *type;
        return true;
    }
    const QString name = column.toLower();
    if (name == u"nazwa") {
        contact.nazwa = value;
    } else if (name == u"opis") {
        contact.opis = value;
    } else if (name == u"notes") {
        contact.notes = value;
    } else if (name == u"email") {
        contact.email = value;
    } else if (name == u"fwdnr") {
        contact.fwdNr = value;
    } else if (name == u"otwnot") {
        const std::optional<bool> flag = yesNo(value);
        if (!flag) {
            return malformed(column, value, error);
        }
        contact.otwNot = *flag;
    } else if (name == u"fwd") {
        const std::optional<int> mode = number(0);
        if (!mode || *mode < 0 || *mode > 2) {
            return malformed(column, value, error);
        }
        contact.fwd = *mode;
    } else if (name == u"defnr") {
        if (value.trimmed().isEmpty()) {
            contact.defNr.reset();
            return true;
        }
        const std::optional<int> position = number(0);
        if (!position || *position < 0 || *position >= Contact::NumberCount) {
            return malformed(column, value, error);
        }
        contact.defNr = *position;
    }
    return true;
}

TransferTable ContactFields::table(const QList<Contact>& contacts, const QStringList& columns)
{
    TransferTable table{columns, {}};
    table.rows.reserve(contacts.size());
    for (const Contact& contact : contacts) {
        QStringList row;
        row.reserve(columns.size());
        for (const QString& column : columns) {
            row.append(text(contact, column));
        }
        table.rows.append(row);
    }
    return table;
}

std::optional<QList<Contact>> ContactFields::contacts(const TransferTable& table, const QStringList& columns,
                                                      int firstRowNumber, QString* error)
{
    const QStringList wanted = columns.isEmpty() ? table.columns : columns;
    QList<qsizetype> indexes;
    for (const QString& column : wanted) {
        const qsizetype index = table.indexOf(column);
        if (index < 0) {
            if (error != nullptr) {
                *error = DatabaseLocation::withValue(Lang::_("The file has no column %s."), column);
            }
            return std::nullopt;
        }
        indexes.append(index);
    }
    QList<Contact> result;
    result.reserve(table.rows.size());
    for (qsizetype row = 0; row < table.rows.size(); ++row) {
        const QStringList& values = table.rows[row];
        Contact contact;
        for (qsizetype i = 0; i < wanted.size(); ++i) {
            const qsizetype index = indexes[i];
            const QString value = index < values.size() ? values[index] : QString();
            QString problem;
            if (!setText(contact, wanted[i], value, &problem)) {
                if (error != nullptr) {
                    *error = DatabaseLocation::withValue(Lang::_("Row %s:"), QString::number(firstRowNumber + row)) +
                             u' ' + problem;
                }
                return std::nullopt;
            }
        }
        result.append(contact);
    }
    return result;
}
