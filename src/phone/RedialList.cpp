#include "phone/RedialList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcRedial, "tervo.phone.redial")

// A line, its CR LF and one more byte: reading that much tells whether the line is longer than allowed.
constexpr qint64 LineReadLimit = RedialList::MaxLineLength + 3;

// Reads the rest of the current line and throws it away.
void skipRestOfLine(QFile& file)
{
    while (!file.atEnd()) {
        if (file.readLine(4096).endsWith('\n')) {
            return;
        }
    }
}

// One number a line, lines ended by CR LF or LF alone; the file holds single-byte text.
QStringList readLines(QFile& file, const QString& path)
{
    QStringList lines;
    bool cut = false;
    while (!file.atEnd()) {
        if (lines.size() == RedialList::MaxFileLines) {
            qCWarning(lcRedial) << "Redial file" << path << "holds more than" << RedialList::MaxFileLines
                                << "lines; the rest is dropped";
            break;
        }
        QByteArray line = file.readLine(LineReadLimit);
        const bool complete = line.endsWith('\n');
        if (!complete && !file.atEnd()) {
            skipRestOfLine(file);
        }
        while (line.endsWith('\n') || line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.size() > RedialList::MaxLineLength) {
            line.truncate(RedialList::MaxLineLength);
            cut = true;
        }
        lines.append(QString::fromLatin1(line));
    }
    if (cut) {
        qCWarning(lcRedial) << "Redial file" << path << "has lines longer than" << RedialList::MaxLineLength
                            << "characters; they are cut";
    }
    return lines;
}

bool createEmptyFile(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcRedial) << "Cannot create the folder of the redial file" << path;
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qCWarning(lcRedial) << "Cannot create the redial file" << path << file.errorString();
        return false;
    }
    return true;
}

} // namespace

RedialList::RedialList(int capacity)
    : m_capacity(std::max(1, capacity))
{
    clear();
}

void RedialList::clear()
{
    m_lines.clear();
    m_count = 0;
    padToCapacity();
}

void RedialList::padToCapacity()
{
    while (m_lines.size() < m_capacity) {
        m_lines.append(QString());
    }
}

bool RedialList::load(const QString& path)
{
    clear();
    if (!QFileInfo::exists(path)) {
        m_saveRefused = false;
        return createEmptyFile(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcRedial) << "Cannot read the redial file" << path << file.errorString()
                            << "- it will not be overwritten";
        m_saveRefused = true;
        return false;
    }
    m_saveRefused = false;
    m_lines = readLines(file, path);
    m_count = static_cast<int>(m_lines.size());
    padToCapacity();
    return true;
}

bool RedialList::save(const QString& path)
{
    if (m_saveRefused) {
        qCWarning(lcRedial) << "The redial list is not saved to" << path << "because its file could not be read";
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcRedial) << "Cannot create the folder of the redial file" << path;
        return false;
    }
    // The lines after Count are only the padding up to Capacity: they are left out of the file.
    QByteArray bytes;
    for (int i = 0; i < m_count; ++i) {
        bytes += m_lines[i].toLatin1() + "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qCWarning(lcRedial) << "Cannot write the redial file" << path << file.errorString();
        return false;
    }
    return true;
}

void RedialList::add(const QString& number)
{
    const int position = find(number);
    // An entry already listed moves to the front over its old place; otherwise the first Capacity lines shift
    // and the last of them falls off. Lines after Capacity (from a longer file) stay where they are.
    const int lastShifted = position > 0 ? position - 1 : m_capacity - 1;
    for (int i = lastShifted; i >= 1; --i) {
        m_lines[i] = m_lines[i - 1];
    }
    m_lines[0] = number;
    if (position == 0 && m_count < m_capacity) {
        ++m_count;
    }
    resetCursor();
}

std::optional<QString> RedialList::next()
{
    if (m_count < 1) {
        return std::nullopt;
    }
    ++m_cursor;
    if (m_cursor > m_count - 1 || m_cursor < 0) {
        m_cursor = 0;
    }
    return m_lines[m_cursor];
}

std::optional<QString> RedialList::prev()
{
    if (m_count < 1) {
        return std::nullopt;
    }
    --m_cursor;
    if (m_cursor < 0 || m_cursor > m_count - 1) {
        m_cursor = m_count - 1;
    }
    return m_lines[m_cursor];
}

int RedialList::find(const QString& number) const
{
    for (int i = 0; i < m_count; ++i) {
        const QString& line = m_lines[i];
        if (line == number || (line.startsWith(u'/') && QStringView(line).sliced(1) == number)) {
            return i + 1;
        }
    }
    return 0;
}
