#include "books/transfer/DelimitedText.h"

#include "books/database/DatabaseLocation.h"
#include "books/transfer/TransferColumns.h"
#include "settings/Lang.h"

#include <QSet>

namespace {

// A value that would not read back as itself when written bare.
bool needsQuotes(const QString& value)
{
    return (value.isEmpty() && !value.isNull()) || value.contains(u',') || value.contains(u'"') ||
           value.contains(u'\n') || value.contains(u'\r');
}

QString quoted(const QString& value)
{
    QString text = value;
    text.replace(u'"', QLatin1String("\"\""));
    return u'"' + text + u'"';
}

// Reads the fields of one record from position, which it leaves after the record's line end.
class RecordReader final {
public:
    explicit RecordReader(const QString& text)
        : m_text(text)
    {
    }

    bool atEnd() const { return m_position >= m_text.size(); }
    int line() const { return m_line; }

    // The fields of the next record; false with error set when it is malformed.
    bool next(QStringList& fields, QString& error)
    {
        fields.clear();
        for (;;) {
            QString field;
            if (!readField(field, error)) {
                return false;
            }
            fields.append(field);
            if (atEnd()) {
                return true;
            }
            const QChar separator = m_text[m_position++];
            if (separator == u',') {
                continue;
            }
            if (separator == u'\r' && m_position < m_text.size() && m_text[m_position] == u'\n') {
                ++m_position;
            }
            ++m_line;
            return true;
        }
    }

    // Skips line ends between records (blank lines).
    void skipBlankLines()
    {
        while (!atEnd() && (m_text[m_position] == u'\n' || m_text[m_position] == u'\r')) {
            if (m_text[m_position] == u'\n') {
                ++m_line;
            }
            ++m_position;
        }
    }

private:
    static bool endsField(QChar c) { return c == u',' || c == u'\n' || c == u'\r'; }

    bool readField(QString& field, QString& error)
    {
        if (atEnd() || m_text[m_position] != u'"') {
            const qsizetype start = m_position;
            while (!atEnd() && !endsField(m_text[m_position])) {
                if (m_text[m_position] == u'"') {
                    error = Lang::_("A quote inside a value that does not start with one.");
                    return false;
                }
                ++m_position;
            }
            field = m_text.mid(start, m_position - start);
            // A bare empty field is a missing value.
            if (field.isEmpty()) {
                field = QString();
            }
            return true;
        }
        const int startLine = m_line;
        ++m_position;
        field = QLatin1String("");
        for (;;) {
            if (atEnd()) {
                m_line = startLine;
                error = Lang::_("A quoted value is not closed.");
                return false;
            }
            const QChar c = m_text[m_position++];
            if (c == u'"') {
                if (!atEnd() && m_text[m_position] == u'"') {
                    field += u'"';
                    ++m_position;
                    continue;
                }
                if (!atEnd() && !endsField(m_text[m_position])) {
                    error = Lang::_("Text after the closing quote of a value.");
                    return false;
                }
                return true;
            }
            if (c == u'\n') {
                ++m_line;
            }
            field += c;
        }
    }

    const QString& m_text;
    qsizetype m_position = 0;
    int m_line = 1;
};

bool fail(QString* error, int line, const QString& text)
{
    if (error != nullptr) {
        *error = DatabaseLocation::withValue(Lang::_("Line %s:"), QString::number(line)) + u' ' + text;
    }
    return false;
}

} // namespace

QString DelimitedText::write(const TransferTable& table)
{
    QStringList header;
    for (const QString& column : table.columns) {
        header.append(needsQuotes(column) ? quoted(column) : column);
    }
    QString text = header.join(u',') + QLatin1String("\r\n");
    QList<bool> quote;
    for (const QString& column : table.columns) {
        quote.append(TransferColumns::isTextColumn(column));
    }
    for (const QStringList& row : table.rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) {
                text += u',';
            }
            const bool isText = i < quote.size() ? quote[i] : true;
            // A missing text stays an empty field, so that it reads back as missing.
            text += (isText && !row[i].isNull()) || needsQuotes(row[i]) ? quoted(row[i]) : row[i];
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

std::optional<TransferTable> DelimitedText::read(const QString& text, QString* error)
{
    RecordReader reader(text);
    reader.skipBlankLines();
    TransferTable table;
    QString problem;
    if (reader.atEnd()) {
        fail(error, 1, Lang::_("The file is empty."));
        return std::nullopt;
    }
    int line = reader.line();
    if (!reader.next(table.columns, problem)) {
        fail(error, reader.line(), problem);
        return std::nullopt;
    }
    QSet<QString> names;
    for (QString& column : table.columns) {
        column = column.trimmed();
        if (column.isEmpty() || names.contains(column.toLower())) {
            fail(error, line, Lang::_("The first line must name each column once."));
            return std::nullopt;
        }
        names.insert(column.toLower());
    }
    for (;;) {
        reader.skipBlankLines();
        if (reader.atEnd()) {
            return table;
        }
        line = reader.line();
        QStringList fields;
        if (!reader.next(fields, problem)) {
            fail(error, reader.line(), problem);
            return std::nullopt;
        }
        if (fields.size() > table.columns.size()) {
            fail(error, line, Lang::_("The row has more values than the first line has columns."));
            return std::nullopt;
        }
        table.rows.append(fields);
    }
}
