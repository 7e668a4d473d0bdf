#include "books/transfer/BookFile.h"

#include "books/database/DatabaseLocation.h"
#include "books/transfer/JetFile.h"
#include "books/transfer/TransferColumns.h"
#include "settings/Lang.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <cstdio>

namespace {

bool fail(QString* error, const QString& text)
{
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

// An SQLite connection of its own, removed with the object.
class FileConnection final {
public:
    FileConnection(const QString& path, bool readOnly)
    {
        static QAtomicInt counter;
        m_name = QStringLiteral("tervo-book-file-%1").arg(counter.fetchAndAddRelaxed(1));
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        if (readOnly) {
            database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        }
        m_open = database.open();
        m_error = database.lastError().text();
    }
    ~FileConnection()
    {
        {
            QSqlDatabase database = QSqlDatabase::database(m_name, false);
            database.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    FileConnection(const FileConnection&) = delete;
    FileConnection& operator=(const FileConnection&) = delete;

    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
    QString m_error;
    bool m_open = false;
};

QVariant bound(const QString& column, const QString& value)
{
    if (TransferColumns::isTextColumn(column)) {
        return value.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
    }
    if (value.isEmpty()) {
        return QVariant(QMetaType::fromType<int>());
    }
    return column == u"OtwNot" ? QVariant(value != u"0") : QVariant(value.toInt());
}

bool fill(const QSqlDatabase& database, const TransferTable& table, QString* error)
{
    QStringList definitions;
    for (const QString& column : table.columns) {
        definitions.append(column + u' ' + TransferColumns::sqlType(column));
    }
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("CREATE TABLE Book2 (%1)").arg(definitions.join(QLatin1String(", "))))) {
        return fail(error, query.lastError().text());
    }
    QStringList placeholders;
    placeholders.fill(QStringLiteral("?"), table.columns.size());
    if (!query.prepare(QStringLiteral("INSERT INTO Book2 (%1) VALUES (%2)")
                           .arg(table.columns.join(QLatin1String(", ")), placeholders.join(QLatin1String(", "))))) {
        return fail(error, query.lastError().text());
    }
    for (const QStringList& row : table.rows) {
        for (qsizetype i = 0; i < table.columns.size(); ++i) {
            query.bindValue(int(i), bound(table.columns[i], row.value(i)));
        }
        if (!query.exec()) {
            return fail(error, query.lastError().text());
        }
    }
    return true;
}

bool isSqliteFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

bool BookFile::write(const QString& path, const TransferTable& table, QString* error)
{
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open()) {
        return fail(error, temporary.errorString());
    }
    temporary.close();
    bool ok = false;
    {
        FileConnection connection(temporary.fileName(), false);
        if (!connection.isOpen()) {
            return fail(error, connection.error());
        }
        QSqlDatabase database = connection.database();
        ok = database.transaction() && fill(database, table, error) && database.commit();
        if (!ok) {
            database.rollback();
        }
    }
    if (!ok) {
        return false;
    }
    // rename() replaces an existing file in one step, where QFile::rename would refuse.
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        return fail(error, Lang::_("Error of phone book file creation:") + u' ' + path);
    }
    temporary.setAutoRemove(false);
    return true;
}

std::optional<TransferTable> BookFile::read(const QString& path, const QStringList& columns, QString* error)
{
    if (JetFile::isJetFile(path)) {
        std::optional<TransferTable> table = JetFile::readTable(path, QStringLiteral("Book2"), error);
        if (table) {
            for (const QString& column : columns) {
                if (table->indexOf(column) < 0) {
                    fail(error, DatabaseLocation::withValue(Lang::_("The file has no column %s."), column));
                    return std::nullopt;
                }
            }
        }
        return table;
    }
    if (!isSqliteFile(path)) {
        fail(error, DatabaseLocation::withValue(Lang::_("%s is not an Access database."), path));
        return std::nullopt;
    }
    FileConnection connection(path, true);
    if (!connection.isOpen()) {
        fail(error, connection.error());
        return std::nullopt;
    }
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM Book2").arg(columns.join(QLatin1String(", "))))) {
        fail(error, query.lastError().text());
        return std::nullopt;
    }
    TransferTable table{columns, {}};
    while (query.next()) {
        QStringList row;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QVariant value = query.value(int(i));
            row.append(value.isNull() ? QString() : value.toString());
        }
        table.rows.append(row);
    }
    return table;
}
