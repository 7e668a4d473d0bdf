#include "books/contacts/Contact.h"

#include "books/database/BookSchema.h"
#include "settings/Lang.h"

#include <QSqlRecord>
#include <vector>

namespace {

QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
}

QString readText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

int readInt(const QVariant& value, int fallback)
{
    return value.isNull() ? fallback : value.toInt();
}

} // namespace

const QStringList& ContactColumns::names()
{
    static const QStringList columns = [] {
        QStringList list{QStringLiteral("Nazwa")};
        for (int i = 1; i <= Contact::NumberCount; ++i) {
            list << QStringLiteral("Nr%1").arg(i) << QStringLiteral("Typ%1").arg(i);
        }
        list << QStringLiteral("Notes") << QStringLiteral("Opis") << QStringLiteral("Email") << QStringLiteral("OtwNot")
             << QStringLiteral("Fwd") << QStringLiteral("FwdNr") << QStringLiteral("DefNr")
             << QStringLiteral("GroupID");
        return list;
    }();
    return columns;
}

QVariantList ContactColumns::values(const Contact& contact)
{
    QVariantList list{text(contact.nazwa)};
    for (int i = 0; i < Contact::NumberCount; ++i) {
        list << text(contact.numbers[i]) << contact.types[i];
    }
    list << text(contact.notes) << text(contact.opis) << text(contact.email) << contact.otwNot << contact.fwd
         << text(contact.fwdNr)
         << (contact.defNr.has_value() ? QVariant(*contact.defNr) : QVariant(QMetaType::fromType<int>()))
         << contact.groupId;
    return list;
}

QVariant ContactColumns::readDefault(const QString& column)
{
    if (column.startsWith(u"Typ")) {
        return column == u"Typ1" ? Contact::TypeExtension : Contact::TypeBasic;
    }
    if (column == u"OtwNot") {
        return false;
    }
    if (column == u"Fwd" || column == u"GroupID") {
        return 0;
    }
    return {};
}

Contact ContactColumns::read(const QSqlRecord& record)
{
    Contact contact;
    contact.id = record.value(QStringLiteral("ID")).toInt();
    contact.nazwa = readText(record.value(QStringLiteral("Nazwa")));
    for (int i = 0; i < Contact::NumberCount; ++i) {
        const QString typ = QStringLiteral("Typ%1").arg(i + 1);
        contact.numbers[i] = readText(record.value(QStringLiteral("Nr%1").arg(i + 1)));
        contact.types[i] = readInt(record.value(typ), readDefault(typ).toInt());
    }
    contact.notes = readText(record.value(QStringLiteral("Notes")));
    contact.opis = readText(record.value(QStringLiteral("Opis")));
    contact.email = readText(record.value(QStringLiteral("Email")));
    const QVariant otwNot = record.value(QStringLiteral("OtwNot"));
    contact.otwNot = !otwNot.isNull() && otwNot.toBool();
    contact.fwd = readInt(record.value(QStringLiteral("Fwd")), 0);
    contact.fwdNr = readText(record.value(QStringLiteral("FwdNr")));
    const QVariant defNr = record.value(QStringLiteral("DefNr"));
    if (!defNr.isNull()) {
        contact.defNr = defNr.toInt();
    }
    contact.groupId = readInt(record.value(QStringLiteral("GroupID")), 0);
    return contact;
}

QString ContactColumns::tooLongMessage(const Contact& contact)
{
    std::vector<std::pair<const QString*, int>> texts{{&contact.nazwa, BookSchema::NameWidth}};
    for (const QString& number : contact.numbers) {
        texts.emplace_back(&number, BookSchema::NumberWidth);
    }
    texts.insert(texts.end(), {{&contact.opis, BookSchema::DescriptionWidth},
                               {&contact.email, BookSchema::EmailWidth},
                               {&contact.fwdNr, BookSchema::NumberWidth}});
    for (const auto& [text, width] : texts) {
        if (text->size() > width) {
            return Lang::_("Too long for the phone book (at most %d characters):\n%s")
                .replace(QLatin1String("%d"), QString::number(width))
                .replace(QLatin1String("%s"), *text);
        }
    }
    return {};
}
