#include "books/transfer/JetBookConversion.h"

#include "books/contacts/ContactStore.h"
#include "books/database/BookIdentity.h"
#include "books/database/BookSchema.h"
#include "books/transfer/ContactFields.h"
#include "books/transfer/JetFile.h"
#include "settings/Lang.h"

#include <QDebug>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString valueOf(const TransferTable& table, const QStringList& row, const QString& column)
{
    const qsizetype index = table.indexOf(column);
    return index >= 0 && index < row.size() ? row[index] : QString();
}

bool run(QSqlDatabase& database, const QString& statement, const QVariantList& values, QString* error)
{
    QSqlQuery query(database);
    query.prepare(statement);
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}

bool writeGroups(const JetBookConversion::Tables& tables, QSqlDatabase& target, QSet<int>& groupIds, QString* error)
{
    groupIds.insert(0);
    if (!tables.groups) {
        return true;
    }
    const TransferTable& groups = *tables.groups;
    for (const QStringList& row : groups.rows) {
        bool ok = false;
        const int id = valueOf(groups, row, QStringLiteral("ID")).toInt(&ok);
        if (!ok) {
            continue;
        }
        const QString name = valueOf(groups, row, QStringLiteral("Nazwa"));
        const QString description = valueOf(groups, row, QStringLiteral("Opis"));
        const QVariantList values{
            name.isNull() ? QLatin1String("") : name,
            description.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(description), id};
        const bool written =
            id == 0
                ? run(target, QStringLiteral("UPDATE Groups SET Nazwa = ?, Opis = ? WHERE ID = ?"), values, error)
                : run(target, QStringLiteral("INSERT INTO Groups (Nazwa, Opis, ID) VALUES (?, ?, ?)"), values, error);
        if (!written) {
            return false;
        }
        groupIds.insert(id);
    }
    return true;
}

} // namespace

std::optional<JetBookConversion::Tables> JetBookConversion::read(const QString& path, QString* error)
{
    const std::optional<QStringList> names = JetFile::tableNames(path, error);
    if (!names) {
        return std::nullopt;
    }
    const auto has = [&names](const QString& table) {
        return names->contains(table, Qt::CaseInsensitive);
    };
    const QString bookTable = has(QStringLiteral("Book2")) ? QStringLiteral("Book2") : QStringLiteral("Book");
    Tables tables;
    std::optional<TransferTable> book = JetFile::readTable(path, bookTable, error);
    if (!book) {
        return std::nullopt;
    }
    tables.book2 = std::move(*book);
    if (has(QStringLiteral("Groups"))) {
        tables.groups = JetFile::readTable(path, QStringLiteral("Groups"), error);
        if (!tables.groups) {
            return std::nullopt;
        }
    }
    if (has(QStringLiteral("Info"))) {
        const std::optional<TransferTable> info = JetFile::readTable(path, QStringLiteral("Info"), error);
        bool ok = false;
        const int hash =
            info && !info->rows.isEmpty() ? valueOf(*info, info->rows[0], QStringLiteral("Hash")).toInt(&ok) : 0;
        if (ok && hash != 0) {
            tables.identity = hash;
        }
    }
    return tables;
}

bool JetBookConversion::write(const Tables& tables, QSqlDatabase& target, QString* error)
{
    const QString othersName = [&tables] {
        if (tables.groups) {
            for (const QStringList& row : tables.groups->rows) {
                if (valueOf(*tables.groups, row, QStringLiteral("ID")) == u"0") {
                    return valueOf(*tables.groups, row, QStringLiteral("Nazwa"));
                }
            }
        }
        return Lang::_("Others");
    }();
    const int identity = tables.identity.value_or(BookIdentity::make(IdentitySource::system()));
    if (!BookSchema::createPhoneBook(target, othersName, identity, error)) {
        return false;
    }
    if (!target.transaction()) {
        *error = target.lastError().text();
        return false;
    }
    QSet<int> groupIds;
    bool ok = writeGroups(tables, target, groupIds, error);
    const TransferTable& book = tables.book2;
    ContactStore store(target);
    for (qsizetype row = 0; ok && row < book.rows.size(); ++row) {
        Contact contact;
        for (qsizetype column = 0; column < book.columns.size(); ++column) {
            QString problem;
            // A value the client cannot take leaves the column's default, said in the log; the contact stays.
            if (!ContactFields::setText(contact, book.columns[column], book.rows[row].value(column), &problem)) {
                qWarning().noquote() << "Converting a phone book, contact"
                                     << valueOf(book, book.rows[row], QStringLiteral("ID")) << problem;
            }
        }
        contact.id = valueOf(book, book.rows[row], QStringLiteral("ID")).toInt();
        const int group = valueOf(book, book.rows[row], QStringLiteral("GroupID")).toInt();
        contact.groupId = groupIds.contains(group) ? group : 0;
        ok = contact.id > 0 ? store.insertKeepingId(contact) : store.insert(contact).has_value();
        if (!ok) {
            *error = store.lastError();
        }
    }
    if (ok && target.commit()) {
        return true;
    }
    target.rollback();
    return false;
}

bool JetBookConversion::fill(const QString& path, QSqlDatabase& target, QString* error)
{
    const std::optional<Tables> tables = read(path, error);
    return tables && write(*tables, target, error);
}
