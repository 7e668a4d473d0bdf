#include "books/transfer/VCardReader.h"

#include "books/database/DatabaseLocation.h"
#include "settings/Lang.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// One content line after unfolding: name (upper case, without its group), parameters and raw value.
struct ContentLine {
    int line = 0;
    QString name;
    QList<std::pair<QString, QString>> parameters; // names upper case; a bare parameter has the name TYPE
    QString value;

    QStringList values(const QString& parameter) const
    {
        QStringList list;
        for (const auto& [key, text] : parameters) {
            if (key == parameter) {
                for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
                    list.append(item.trimmed().toUpper());
                }
            }
        }
        return list;
    }
    bool isQuotedPrintable() const { return values(QStringLiteral("ENCODING")).contains(u"QUOTED-PRINTABLE"); }
};

// Splits at separator outside double quotes.
QStringList splitOutsideQuotes(const QString& text, QChar separator)
{
    QStringList parts;
    QString part;
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == u'"') {
            inQuotes = !inQuotes;
        } else if (c == separator && !inQuotes) {
            parts.append(part);
            part.clear();
            continue;
        }
        part += c;
    }
    parts.append(part);
    return parts;
}

qsizetype colonOutsideQuotes(const QString& text)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'"') {
            inQuotes = !inQuotes;
        } else if (text[i] == u':' && !inQuotes) {
            return i;
        }
    }
    return -1;
}

std::optional<ContentLine> parse(const QString& text, int line)
{
    const qsizetype colon = colonOutsideQuotes(text);
    if (colon < 0) {
        return std::nullopt;
    }
    ContentLine content;
    content.line = line;
    content.value = text.mid(colon + 1);
    const QStringList head = splitOutsideQuotes(text.left(colon), u';');
    content.name = head.front().section(u'.', -1).trimmed().toUpper();
    for (qsizetype i = 1; i < head.size(); ++i) {
        const qsizetype equals = head[i].indexOf(u'=');
        QString key = equals < 0 ? QStringLiteral("TYPE") : head[i].left(equals).trimmed().toUpper();
        QString value = equals < 0 ? head[i] : head[i].mid(equals + 1);
        value.remove(u'"');
        // vCard 2.1 writes the encoding as a bare parameter.
        if (equals < 0 && value.trimmed().compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0) {
            key = QStringLiteral("ENCODING");
        }
        content.parameters.append({key, value});
    }
    return content;
}

QString decodeQuotedPrintable(const QString& value, const QString& charset)
{
    QByteArray bytes;
    const QByteArray ascii = value.toLatin1();
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        if (ascii[i] == '=' && i + 2 < ascii.size()) {
            bool ok = false;
            const int byte = ascii.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                bytes += char(byte);
                i += 2;
                continue;
            }
        }
        if (ascii[i] == '=' && i == ascii.size() - 1) {
            break; // a soft line break left at the very end
        }
        bytes += ascii[i];
    }
    QStringDecoder decoder(charset.isEmpty() ? "UTF-8" : charset.toLatin1().constData());
    if (!decoder.isValid()) {
        decoder = QStringDecoder(QStringDecoder::Utf8);
    }
    return decoder.decode(bytes);
}

QString unescaped(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            text += next == u'n' || next == u'N' ? QChar(u'\n') : next;
        } else {
            text += value[i];
        }
    }
    return text;
}

// The components of a structured value, split at unescaped semicolons and unescaped each.
QStringList components(const QString& value)
{
    QStringList parts;
    QString part;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            part += value[i];
            part += value[++i];
        } else if (value[i] == u';') {
            parts.append(unescaped(part));
            part.clear();
        } else {
            part += value[i];
        }
    }
    parts.append(unescaped(part));
    return parts;
}

int preferredPosition(const QStringList& types)
{
    if (types.contains(u"X-EXTENSION")) {
        return 0;
    }
    if (types.contains(u"CELL") || types.contains(u"MOBILE")) {
        return 3;
    }
    if (types.contains(u"HOME")) {
        return 2;
    }
    if (types.contains(u"WORK")) {
        return 1;
    }
    return 4;
}

// One card being read.
class CardBuilder final {
public:
    explicit CardBuilder(int line)
        : m_line(line)
    {
    }

    void add(const ContentLine& content)
    {
        const QString value =
            content.isQuotedPrintable()
                ? decodeQuotedPrintable(content.value, content.values(QStringLiteral("CHARSET")).value(0))
                : content.value;
        if (content.name == u"FN") {
            m_contact.nazwa = unescaped(value).trimmed();
        } else if (content.name == u"N") {
            const QStringList parts = components(value);
            m_structuredName = (parts.value(3) + u' ' + parts.value(1) + u' ' + parts.value(2) + u' ' + parts.value(0) +
                                u' ' + parts.value(4))
                                   .simplified();
        } else if (content.name == u"TEL") {
            addNumber(content, unescaped(value).trimmed());
        } else if (content.name == u"EMAIL" && m_contact.email.isEmpty()) {
            m_contact.email = unescaped(value).trimmed();
        } else if (content.name == u"NOTE") {
            appendNote(unescaped(value));
        }
    }

    std::optional<Contact> finish(QString* error)
    {
        if (m_contact.nazwa.isEmpty()) {
            m_contact.nazwa = m_structuredName;
        }
        if (m_contact.nazwa.isEmpty()) {
            if (error != nullptr) {
                *error = DatabaseLocation::withValue(Lang::_("Line %s:"), QString::number(m_line)) + u' ' +
                         Lang::_("The card has no name.");
            }
            return std::nullopt;
        }
        return m_contact;
    }

private:
    void addNumber(const ContentLine& content, QString number)
    {
        if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
            number = number.mid(4);
        }
        if (number.isEmpty()) {
            return;
        }
        const QStringList types = content.values(QStringLiteral("TYPE"));
        const bool preferred = types.contains(u"PREF") || !content.values(QStringLiteral("PREF")).isEmpty();
        int position = preferredPosition(types);
        for (const int candidate : {position, 4, 0, 1, 2, 3}) {
            if (m_contact.numbers[candidate].isEmpty()) {
                position = candidate;
                break;
            }
            position = -1;
        }
        if (position < 0) {
            appendNote(QStringLiteral("TEL: ") + number);
            return;
        }
        m_contact.numbers[position] = number;
        if (preferred && !m_contact.defNr.has_value()) {
            m_contact.defNr = position;
        }
    }

    void appendNote(const QString& note)
    {
        m_contact.notes = m_contact.notes.isEmpty() ? note : m_contact.notes + u'\n' + note;
    }

    int m_line;
    Contact m_contact;
    QString m_structuredName;
};

bool fail(QString* error, int line, const QString& text)
{
    if (error != nullptr) {
        *error = DatabaseLocation::withValue(Lang::_("Line %s:"), QString::number(line)) + u' ' + text;
    }
    return false;
}

} // namespace

std::optional<QList<Contact>> VCardReader::read(const QString& text, QString* error)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList physical = text.split(lineEnd);
    QList<Contact> contacts;
    std::optional<CardBuilder> card;
    for (qsizetype i = 0; i < physical.size();) {
        const int lineNumber = int(i + 1);
        QString logical = physical[i++];
        // Unfolding: a line that starts with a blank or a tab continues the one before.
        while (i < physical.size() && !physical[i].isEmpty() && (physical[i][0] == u' ' || physical[i][0] == u'\t')) {
            logical += physical[i++].mid(1);
        }
        if (logical.trimmed().isEmpty()) {
            continue;
        }
        std::optional<ContentLine> content = parse(logical, lineNumber);
        if (!content) {
            fail(error, lineNumber, Lang::_("The line is not a vCard property."));
            return std::nullopt;
        }
        // A quoted-printable value ending in "=" goes on in the next line.
        while (content->isQuotedPrintable() && content->value.endsWith(u'=') && i < physical.size()) {
            content->value.chop(1);
            content->value += physical[i++];
        }
        const QString value = content->value.trimmed().toUpper();
        if (content->name == u"BEGIN" && value == u"VCARD") {
            if (card) {
                fail(error, lineNumber, Lang::_("A card begins before the one before it has ended."));
                return std::nullopt;
            }
            card.emplace(lineNumber);
        } else if (content->name == u"END" && value == u"VCARD") {
            if (!card) {
                fail(error, lineNumber, Lang::_("A card ends that has not begun."));
                return std::nullopt;
            }
            const std::optional<Contact> contact = card->finish(error);
            if (!contact) {
                return std::nullopt;
            }
            contacts.append(*contact);
            card.reset();
        } else if (!card) {
            fail(error, lineNumber, Lang::_("Text outside a card."));
            return std::nullopt;
        } else {
            card->add(*content);
        }
    }
    if (card) {
        fail(error, int(physical.size()), Lang::_("The last card is not closed."));
        return std::nullopt;
    }
    if (contacts.isEmpty()) {
        fail(error, 1, Lang::_("The file holds no vCard."));
        return std::nullopt;
    }
    return contacts;
}
