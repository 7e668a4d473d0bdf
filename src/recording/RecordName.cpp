#include "recording/RecordName.h"

#include "settings/CodePage.h"

namespace {

const QString StartFormat = QStringLiteral("dd-MM-yy hh-mm-ss");

bool isForbidden(char byte)
{
    // Read as a signed byte: the control bytes and every byte from 128 up are below 31.
    if (static_cast<signed char>(byte) < 31) {
        return true;
    }
    return QByteArrayView("_:<>\"|/\\#*").contains(byte);
}

QString cleanParty(const QString& party)
{
    const QString cleaned = RecordName::cleanName(party);
    return cleaned.isEmpty() ? QStringLiteral("-") : cleaned;
}

} // namespace

QString RecordName::cleanName(const QString& text)
{
    QByteArray bytes = CodePage::toWindows1250(text);
    for (char& byte : bytes) {
        if (isForbidden(byte)) {
            byte = ' ';
        }
    }
    if (bytes.startsWith(' ')) {
        bytes.remove(0, 1);
    }
    return QString::fromLatin1(bytes);
}

QString RecordName::forCall(const QString& party, const QDateTime& start, const QTime& duration)
{
    if (party.isEmpty() || !start.isValid() || !duration.isValid()) {
        return {};
    }
    return cleanParty(party) + u'_' + start.toString(StartFormat) + u'_' +
           duration.toString(QStringLiteral("hh-mm-ss")) + QStringLiteral(".ogg");
}

QString RecordName::withPrefix(const QString& prefix, const QString& party, const QDateTime& start)
{
    const QString call =
        party.isEmpty() || !start.isValid() ? QString() : cleanParty(party) + u'_' + start.toString(StartFormat);
    return prefix + u' ' + call + QStringLiteral(".wav");
}

QString RecordName::forExchange(const QString& identifier, const QString& party, const QDateTime& start)
{
    return withPrefix(cleanName(identifier), party, start);
}
