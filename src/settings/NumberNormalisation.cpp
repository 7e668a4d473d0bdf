#include "settings/NumberNormalisation.h"

#include <algorithm>

QString normaliseInternationalPrefix(const QString& number)
{
    if (number.size() < 2 || !number.startsWith(u'+')) {
        return number;
    }
    const QStringView rest = QStringView(number).sliced(1);
    const bool dialable = std::all_of(rest.begin(), rest.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u' ' || c == u'#' || c == u'|';
    });
    return dialable ? QStringLiteral("00") + rest.toString() : number;
}
