#include "pbxlink/calls/SpeedDialConverter.h"

namespace {

bool isFeatureCode(const QString& digits)
{
    const auto isCodeStart = [](QChar c) {
        return c == u'#' || c == u'*';
    };
    if (digits.isEmpty()) {
        return false;
    }
    return isCodeStart(digits[0]) || (digits.size() >= 2 && digits[0] == u'/' && isCodeStart(digits[1]));
}

} // namespace

QString SpeedDialConverter::toSpeedDial(const QString& digits)
{
    if (digits.isEmpty() || isFeatureCode(digits)) {
        return digits;
    }
    if (digits.size() == 1) {
        return digits[0].isDigit() ? digits + u'#' : digits;
    }
    return digits.endsWith(u'#') ? digits : digits + u'#';
}

QString SpeedDialConverter::fromSpeedDial(const QString& digits)
{
    if (digits.size() < 2 || isFeatureCode(digits)) {
        return digits;
    }
    if (digits.endsWith(u'#') && digits[digits.size() - 2] != u'#') {
        return digits.chopped(1);
    }
    return digits;
}
