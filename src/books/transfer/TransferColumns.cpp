#include "books/transfer/TransferColumns.h"

#include "books/database/BookSchema.h"
#include "settings/Lang.h"

QList<int> TransferColumns::allCodes()
{
    QList<int> codes;
    for (int code = FirstCode; code <= LastCode; ++code) {
        codes.append(code);
    }
    return codes;
}

QStringList TransferColumns::columnsOf(int code)
{
    switch (code) {
    case 1:
        return {QStringLiteral("Nazwa")};
    case 2:
        return {QStringLiteral("Opis")};
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        return {QStringLiteral("Nr%1").arg(code - 2)};
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
        return {QStringLiteral("Typ%1").arg(code - 7)};
    case 13:
        return {QStringLiteral("Fwd"), QStringLiteral("FwdNr")};
    case 14:
        return {QStringLiteral("OtwNot")};
    case 15:
        return {QStringLiteral("Notes")};
    case 16:
        return {QStringLiteral("Email")};
    case 17:
        return {QStringLiteral("DefNr")};
    default:
        return {};
    }
}

QStringList TransferColumns::columnsOf(const QList<int>& codes)
{
    QStringList columns;
    for (const int code : codes) {
        columns.append(columnsOf(code));
    }
    return columns;
}

QString TransferColumns::selectList(const QList<int>& codes)
{
    return columnsOf(codes).join(QLatin1String(", "));
}

QString TransferColumns::exportText(int code)
{
    switch (code) {
    case 1:
        return Lang::_("a. Name");
    case 2:
        return Lang::_("b. Description");
    case 3:
        return Lang::_("c. Extension");
    case 4:
        return Lang::_("d. Company");
    case 5:
        return Lang::_("e. Home");
    case 6:
        return Lang::_("f. Mobile");
    case 7:
        return Lang::_("g. Other");
    case 8:
        return Lang::_("h. Prefix for extension number");
    case 9:
        return Lang::_("i. Prefix for company number");
    case 10:
        return Lang::_("j. Prefix for home number");
    case 11:
        return Lang::_("k. Prefix for mobile phone");
    case 12:
        return Lang::_("l. Prefix for other number");
    case 13:
        return Lang::_("m. Automation");
    case 14:
        return Lang::_("n. Notes has been locked");
    case 15:
        return Lang::_("o. Notes");
    case 16:
        return Lang::_("p. Email");
    case 17:
        return Lang::_("q. Default number");
    default:
        return {};
    }
}

QString TransferColumns::importText(int code)
{
    switch (code) {
    case 1:
        return Lang::_("a.Name");
    case 2:
        return Lang::_("b.Description");
    case 4:
        return Lang::_("d.Company");
    case 10:
        return Lang::_("j.Prefix for home number");
    case 11:
        return Lang::_("k.Prefix for mobile number");
    case 12:
        return Lang::_("l.Prefix for other number");
    case 13:
        return Lang::_("m.Automation");
    case 14:
        return Lang::_("n.Notes has been locked");
    case 15:
        return Lang::_("o.Notes");
    default:
        // The remaining entries read the same in both windows.
        return exportText(code);
    }
}

bool TransferColumns::isTextColumn(const QString& column)
{
    return !column.startsWith(QLatin1String("Typ")) && column != u"Fwd" && column != u"OtwNot" && column != u"DefNr";
}

QString TransferColumns::sqlType(const QString& column)
{
    const auto text = [](int width) {
        return QStringLiteral("VARCHAR(%1)").arg(width);
    };
    if (column == u"Nazwa") {
        return text(BookSchema::NameWidth);
    }
    if (column == u"Opis") {
        return text(BookSchema::DescriptionWidth);
    }
    if (column == u"Email") {
        return text(BookSchema::EmailWidth);
    }
    if (column == u"Notes") {
        return QStringLiteral("TEXT");
    }
    if (column == u"OtwNot") {
        return QStringLiteral("BOOLEAN");
    }
    return isTextColumn(column) ? text(BookSchema::NumberWidth) : QStringLiteral("SMALLINT");
}
