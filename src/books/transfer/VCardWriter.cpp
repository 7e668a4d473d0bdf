#include "books/transfer/VCardWriter.h"

namespace {

QString escaped(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' || c == u',' || c == u';') {
            text += u'\\';
            text += c;
        } else if (c == u'\r') {
            if (i + 1 < value.size() && value[i + 1] == u'\n') {
                ++i;
            }
            text += QLatin1String("\\n");
        } else if (c == u'\n') {
            text += QLatin1String("\\n");
        } else {
            text += c;
        }
    }
    return text;
}

// Folds a content line so that no line holds more than 75 octets of UTF-8, never splitting a character.
QString folded(const QString& line)
{
    QString text;
    int octets = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool pair = line[i].isHighSurrogate() && i + 1 < line.size();
        const QString character = pair ? line.mid(i, 2) : QString(line[i]);
        const int size = int(character.toUtf8().size());
        if (octets + size > 75) {
            text += QLatin1String("\r\n ");
            octets = 1;
        }
        text += character;
        octets += size;
        if (pair) {
            ++i;
        }
    }
    return text + QLatin1String("\r\n");
}

} // namespace

QString VCardWriter::typeOf(int position)
{
    static const char* const types[Contact::NumberCount] = {"X-EXTENSION", "WORK", "HOME", "CELL", "VOICE"};
    return position >= 0 && position < Contact::NumberCount ? QLatin1String(types[position]) : QString();
}

QString VCardWriter::write(const QList<Contact>& contacts, const QStringList& columns)
{
    const auto chosen = [&columns](const QString& column) {
        return columns.contains(column, Qt::CaseInsensitive);
    };
    QString text;
    for (const Contact& contact : contacts) {
        text += QLatin1String("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        text += folded(QStringLiteral("FN:") + escaped(contact.nazwa));
        text += folded(QStringLiteral("N:") + escaped(contact.nazwa) + QLatin1String(";;;;"));
        for (int position = 0; position < Contact::NumberCount; ++position) {
            const QString& number = contact.numbers[position];
            if (number.isEmpty() || !chosen(QStringLiteral("Nr%1").arg(position + 1))) {
                continue;
            }
            QString type = typeOf(position);
            if (chosen(QStringLiteral("DefNr")) && contact.defNr == position) {
                type += QLatin1String(",PREF");
            }
            text += folded(QStringLiteral("TEL;TYPE=%1:%2").arg(type, escaped(number)));
        }
        if (!contact.email.isEmpty() && chosen(QStringLiteral("Email"))) {
            text += folded(QStringLiteral("EMAIL;TYPE=INTERNET:") + escaped(contact.email));
        }
        if (!contact.notes.isEmpty() && chosen(QStringLiteral("Notes"))) {
            text += folded(QStringLiteral("NOTE:") + escaped(contact.notes));
        }
        text += QLatin1String("END:VCARD\r\n");
    }
    return text;
}
