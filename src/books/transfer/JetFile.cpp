#include "books/transfer/JetFile.h"

#include "books/database/DatabaseLocation.h"
#include "settings/Lang.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <mdbtools.h>
#include <memory>
#include <vector>

namespace {

// Long enough for the memos of a phone book or a history; libmdb cuts a value at this many bytes.
constexpr size_t BindSize = 65536;

struct HandleCloser {
    void operator()(MdbHandle* handle) const { mdb_close(handle); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

bool fail(QString* error, const QString& text)
{
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

Handle open(const QString& path, QString* error)
{
    if (!JetFile::isJetFile(path)) {
        fail(error, DatabaseLocation::withValue(Lang::_("%s is not an Access database."), path));
        return nullptr;
    }
    // Jet 3 files keep text in the code page of the Windows that wrote them; those of this client's users are
    // Windows-1250. Jet 4 keeps Unicode.
    if (!qEnvironmentVariableIsSet("MDB_JET3_CHARSET")) {
        qputenv("MDB_JET3_CHARSET", "CP1250");
    }
    Handle handle(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!handle) {
        fail(error, DatabaseLocation::withValue(Lang::_("%s cannot be read as an Access database."), path));
        return nullptr;
    }
    mdb_set_bind_size(handle.get(), BindSize);
    mdb_set_date_fmt(handle.get(), "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(handle.get());
    if (mdb_read_catalog(handle.get(), MDB_TABLE) == nullptr) {
        fail(error, DatabaseLocation::withValue(Lang::_("%s cannot be read as an Access database."), path));
        return nullptr;
    }
    return handle;
}

// A date and time of the Access engine: days since 1899-12-30, the fraction the time of day (counted forward also
// for days before that date). libmdb's own text for it goes wrong outside the years 1900 to 9998.
QString dateTimeText(double value)
{
    const double days = std::trunc(value);
    if (!std::isfinite(value) || std::abs(days) > 3.0e6) {
        return {};
    }
    const qint64 milliseconds = std::llround(std::abs(value - days) * 86400000.0);
    const QDateTime moment = QDateTime(QDate(1899, 12, 30).addDays(qint64(days)), QTime(0, 0)).addMSecs(milliseconds);
    return moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// The text of the bound column i of the row just fetched.
QString valueText(MdbHandle* handle, const MdbColumn* column, const std::vector<char>& buffer, int length)
{
    if (length <= 0) {
        return {}; // libmdb binds a NULL as an empty value
    }
    if (column->col_type == MDB_DATETIME && column->cur_value_len == 8 && column->cur_value_start >= 0 &&
        size_t(column->cur_value_start) + 8 <= sizeof(handle->pg_buf)) {
        return dateTimeText(mdb_get_double(handle->pg_buf, column->cur_value_start));
    }
    return QString::fromUtf8(buffer.data(), qsizetype(std::min<size_t>(size_t(length), BindSize)));
}

QStringList userTables(MdbHandle* handle)
{
    QStringList names;
    for (guint i = 0; i < handle->num_catalog; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(handle->catalog, i));
        const QString name = QString::fromUtf8(entry->object_name);
        if (entry->object_type == MDB_TABLE && !name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive)) {
            names.append(name);
        }
    }
    return names;
}

} // namespace

bool JetFile::isJetFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
           (header.mid(4, 15) == "Standard Jet DB" || header.mid(4, 15) == "Standard ACE DB");
}

std::optional<QStringList> JetFile::tableNames(const QString& path, QString* error)
{
    const Handle handle = open(path, error);
    if (!handle) {
        return std::nullopt;
    }
    return userTables(handle.get());
}

std::optional<TransferTable> JetFile::readTable(const QString& path, const QString& tableName, QString* error)
{
    const Handle handle = open(path, error);
    if (!handle) {
        return std::nullopt;
    }
    // The file's own spelling of the name: libmdb compares names exactly.
    QString name;
    for (const QString& candidate : userTables(handle.get())) {
        if (candidate.compare(tableName, Qt::CaseInsensitive) == 0) {
            name = candidate;
        }
    }
    QByteArray nameBytes = name.toUtf8();
    Table table(name.isEmpty() ? nullptr : mdb_read_table_by_name(handle.get(), nameBytes.data(), MDB_TABLE));
    if (!table || mdb_read_columns(table.get()) == nullptr) {
        fail(error, DatabaseLocation::withValue(Lang::_("The file has no table %s."), tableName));
        return std::nullopt;
    }
    TransferTable result;
    std::vector<std::vector<char>> buffers;
    std::vector<int> lengths(table->num_cols, 0);
    std::vector<int> bound;
    buffers.reserve(table->num_cols);
    for (unsigned int i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
        buffers.emplace_back();
        if (column->col_type == MDB_OLE || column->col_type == MDB_BINARY) {
            continue;
        }
        buffers.back().assign(BindSize + 1, '\0');
        mdb_bind_column(table.get(), int(i + 1), buffers.back().data(), &lengths[i]);
        bound.push_back(int(i));
        result.columns.append(QString::fromUtf8(column->name));
    }
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get()) != 0) {
        QStringList row;
        row.reserve(qsizetype(bound.size()));
        for (const int i : bound) {
            const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, guint(i)));
            row.append(valueText(handle.get(), column, buffers[size_t(i)], lengths[size_t(i)]));
        }
        result.rows.append(row);
    }
    return result;
}
