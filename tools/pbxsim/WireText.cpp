#include "pbxsim/WireText.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace pbxsim::WireText {

namespace {

constexpr qsizetype FieldWidth = 4;
constexpr QChar Padding = u'_';
constexpr QChar NoBreakSpace = QChar(0x00A0);

// Which field of a command holds a secret (0 is the command word).
qsizetype secretField(const QString& word)
{
    if (word == QLatin1String("aLOGI")) {
        return 2;
    }
    if (word == QLatin1String("aLOCK")) {
        return 3;
    }
    if (word == QLatin1String("aACC")) {
        return 4;
    }
    return -1;
}

} // namespace

QString padField(const QString& value)
{
    QString padded = value;
    while (padded.size() < FieldWidth) {
        padded.append(Padding);
    }
    return padded;
}

QString unpadField(QStringView field)
{
    qsizetype end = field.size();
    while (end > 0 && field[end - 1] == Padding) {
        --end;
    }
    return field.first(end).toString();
}

bool isExtension(QStringView text)
{
    return !text.isEmpty() && text.size() <= FieldWidth &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isPhoneNumber(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9*#+]{1,32}$"));
    return pattern.match(text).hasMatch();
}

bool isDialString(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9*#/]+$"));
    return pattern.match(text).hasMatch();
}

QString event(const QString& tag, const QString& extension, const QString& parameters)
{
    QString line = QStringLiteral("a") + tag + QLatin1Char(' ') + padField(extension);
    if (!parameters.isEmpty()) {
        line += QLatin1Char(' ') + parameters;
    }
    return line;
}

QString encodeName(const QString& name)
{
    QString encoded;
    encoded.reserve(name.size() + 8);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'\\') {
            encoded += QStringLiteral("\\\\");
        } else if (c == u'\n' || c == u'\r') {
            encoded += QStringLiteral("\\n");
            if (c == u'\r' && i + 1 < name.size() && name[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u' ' || c.unicode() < 32) {
            encoded += NoBreakSpace;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

QString decodeEscapes(const QString& text)
{
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] == u'\\' && next == u'n') {
            decoded += QLatin1Char('\n');
            ++i;
        } else if (text[i] == u'\\' && next == u'\\') {
            decoded += QLatin1Char('\\');
            ++i;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

QString maskSecrets(const QString& line)
{
    QStringList fields = line.split(QLatin1Char(' '));
    const qsizetype index = secretField(fields.constFirst());
    if (index < 0 || index >= fields.size()) {
        return line;
    }
    fields[index] = QStringLiteral("****");
    return fields.join(QLatin1Char(' '));
}

QByteArray garbage(int size)
{
    size = std::max(size, 8);
    QRandomGenerator* random = QRandomGenerator::global();
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(random->bounded(256));
        if (byte == '\r' || byte == '\n') {
            byte = 'x';
        }
    }
    // The required bytes sit at fixed, separated places so that CR and LF stay alone.
    bytes[0] = '\0';
    bytes[size / 8] = '\t';
    bytes[size / 4] = '\r';
    bytes[size / 2] = static_cast<char>(0x80 + random->bounded(128));
    bytes[size * 3 / 4] = '\n';
    return bytes;
}

} // namespace pbxsim::WireText
