#include "books/contacts/PhoneNumbers.h"

bool PhoneNumbers::isNumberCharacter(QChar character)
{
    return (character >= u'0' && character <= u'9') || character == u'*' || character == u'#' || character == u'/' ||
           character == u'|';
}

QString PhoneNumbers::normalise(const QString& text, const QString& countryCode, bool addCountryZero)
{
    const QString trimmed = text.trimmed();
    const bool international = trimmed.startsWith(u'+');
    QString number;
    number.reserve(trimmed.size());
    for (const QChar character : trimmed) {
        if (isNumberCharacter(character)) {
            number.append(character);
        }
    }
    if (!international || number.isEmpty()) {
        // A lone "+" is no number at all.
        return number;
    }
    QString code;
    for (const QChar character : countryCode) {
        if (character >= u'0' && character <= u'9') {
            code.append(character);
        }
    }
    if (!code.isEmpty() && number.size() > code.size() && number.startsWith(code)) {
        number.remove(0, code.size());
        return addCountryZero ? QLatin1Char('0') + number : number;
    }
    // Too short to hold the home code, or another country: the "+" is dialled as "00".
    return QStringLiteral("00") + number;
}
