#include "books/transfer/JetHistoryConversion.h"

#include "books/database/BookSchema.h"
#include "books/transfer/JetFile.h"

#include <QDateTime>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {

enum class Type { Integer, IntegerOrZero, Flag, Date, Time, Text };

struct Column {
    const char* name;
    Type type;
};

// The columns of History2 as both generations name them.
constexpr Column HistoryColumns[] = {
    {"ID_Historia", Type::Integer},        {"Typ_Historia", Type::Integer},   {"Data1_Historia", Type::Date},
    {"Czas1_Historia", Type::Time},        {"Data2_Historia", Type::Date},    {"Czas2_Historia", Type::Time},
    {"NrTel_Historia", Type::Text},        {"Tluste_Historia", Type::Flag},   {"Stracone_Historia", Type::Integer},
    {"JestNagranie_Historia", Type::Flag}, {"Archiwum_Historia", Type::Flag}, {"ErecId_Historia", Type::Text},
    {"Reserved_Historia", Type::Flag},     {"SmsID", Type::IntegerOrZero},    {"ZlecenieID", Type::Integer},
    {"KomentID", Type::IntegerOrZero},     {"NrInitID", Type::IntegerOrZero},
};

// The side tables: name, text column, reference column in History2.
struct SideTable {
    const char* table;
    const char* text;
    const char* reference;
    std::optional<TransferTable> JetHistoryConversion::Tables::*rows;
};
constexpr SideTable SideTables[] = {
    {"Sms", "Wiadomosc", "SmsID", &JetHistoryConversion::Tables::sms},
    {"Komentarz", "Koment", "KomentID", &JetHistoryConversion::Tables::komentarz},
    {"NrInit", "NrInicjator", "NrInitID", &JetHistoryConversion::Tables::nrInit},
};

QVariant converted(const QString& value, Type type)
{
    const QString text = value.trimmed();
    const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    bool ok = false;
    const int number = text.toInt(&ok);
    switch (type) {
    case Type::Integer:
        return ok ? QVariant(number) : QVariant(QMetaType::fromType<int>());
    case Type::IntegerOrZero:
        return ok ? number : 0;
    case Type::Flag:
        return ok && number != 0;
    case Type::Date:
        // The engine keeps a date as a moment at midnight, a time of day as a moment on 1899-12-30.
        return moment.isValid() ? QVariant(moment.date()) : QVariant(QMetaType::fromType<QDate>());
    case Type::Time:
        return moment.isValid() ? QVariant(moment.time()) : QVariant(QMetaType::fromType<QTime>());
    case Type::Text:
        return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
    }
    return {};
}

bool exec(QSqlQuery& query, const QVariantList& values, QString* error)
{
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values[i]);
    }
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}

// Writes the rows of one side table (row 0 " " is there already) and answers the identities it holds.
bool writeSideTable(const SideTable& side, const std::optional<TransferTable>& rows, QSqlDatabase& target,
                    QSet<int>& ids, QString* error)
{
    ids.insert(0);
    if (!rows) {
        return true;
    }
    const qsizetype idColumn = rows->indexOf(QStringLiteral("ID"));
    const qsizetype textColumn = rows->indexOf(QLatin1String(side.text));
    QSqlQuery insert(target);
    insert.prepare(QStringLiteral("INSERT INTO %1 (ID, %2) VALUES (?, ?)")
                       .arg(QLatin1String(side.table), QLatin1String(side.text)));
    for (const QStringList& row : rows->rows) {
        bool ok = false;
        const int id = idColumn >= 0 ? row.value(idColumn).toInt(&ok) : 0;
        if (!ok || id == 0 || ids.contains(id)) {
            continue;
        }
        const QString text = textColumn >= 0 ? row.value(textColumn) : QString();
        if (!exec(insert, {id, text.isNull() ? QLatin1String("") : text}, error)) {
            return false;
        }
        ids.insert(id);
    }
    return true;
}

bool writeEntries(const JetHistoryConversion::Tables& tables, const QList<QSet<int>>& sideIds, QSqlDatabase& target,
                  QString* error)
{
    const TransferTable& history = tables.history2;
    QStringList names;
    QList<qsizetype> indexes;
    for (const Column& column : HistoryColumns) {
        names.append(QLatin1String(column.name));
        indexes.append(history.indexOf(names.back()));
    }
    QStringList placeholders;
    placeholders.fill(QStringLiteral("?"), names.size());
    QSqlQuery insert(target);
    insert.prepare(QStringLiteral("INSERT INTO History2 (%1) VALUES (%2)")
                       .arg(names.join(QLatin1String(", ")), placeholders.join(QLatin1String(", "))));
    for (const QStringList& row : history.rows) {
        QVariantList values;
        for (qsizetype i = 0; i < names.size(); ++i) {
            values.append(converted(indexes[i] >= 0 ? row.value(indexes[i]) : QString(), HistoryColumns[i].type));
        }
        // A reference to a side row the file does not hold points to "none".
        for (qsizetype side = 0; side < qsizetype(std::size(SideTables)); ++side) {
            const qsizetype column = names.indexOf(QLatin1String(SideTables[side].reference));
            if (!sideIds[side].contains(values[column].toInt())) {
                values[column] = 0;
            }
        }
        // A row without an identity (none in a sound file) gets a new one: the new file is SQLite's.
        if (!exec(insert, values, error)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<JetHistoryConversion::Tables> JetHistoryConversion::read(const QString& path, QString* error)
{
    const std::optional<QStringList> names = JetFile::tableNames(path, error);
    if (!names) {
        return std::nullopt;
    }
    const auto has = [&names](const char* table) {
        return names->contains(QLatin1String(table), Qt::CaseInsensitive);
    };
    Tables tables;
    std::optional<TransferTable> history =
        JetFile::readTable(path, has("History2") ? QStringLiteral("History2") : QStringLiteral("History"), error);
    if (!history) {
        return std::nullopt;
    }
    tables.history2 = std::move(*history);
    for (const SideTable& side : SideTables) {
        if (has(side.table)) {
            tables.*side.rows = JetFile::readTable(path, QLatin1String(side.table), error);
            if (!(tables.*side.rows)) {
                return std::nullopt;
            }
        }
    }
    return tables;
}

bool JetHistoryConversion::write(const Tables& tables, QSqlDatabase& target, QString* error)
{
    if (!BookSchema::createHistory(target, error)) {
        return false;
    }
    if (!target.transaction()) {
        *error = target.lastError().text();
        return false;
    }
    QList<QSet<int>> sideIds;
    bool ok = true;
    for (const SideTable& side : SideTables) {
        sideIds.append(QSet<int>());
        ok = ok && writeSideTable(side, tables.*side.rows, target, sideIds.back(), error);
    }
    ok = ok && writeEntries(tables, sideIds, target, error);
    if (ok && target.commit()) {
        return true;
    }
    target.rollback();
    return false;
}

bool JetHistoryConversion::fill(const QString& path, QSqlDatabase& target, QString* error)
{
    const std::optional<Tables> tables = read(path, error);
    return tables && write(*tables, target, error);
}
