#include "sms/SmsNumber.h"

#include <array>

namespace SmsNumber {

namespace {

QString withoutLeadingZero(const QString& number)
{
    return number.startsWith(u'0') ? number.mid(1) : number;
}

} // namespace

bool isValidEntry(const QString& number)
{
    return std::all_of(number.cbegin(), number.cend(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'+' || c == u'*'; });
}

QString normalise(const QString& number, const QString& countryCode, bool addCountryZero)
{
    if (number.startsWith(u'*')) {
        return number;
    }
    QString result;
    bool national = false;
    const QString code = countryCode.trimmed();
    if (number.startsWith(u'+')) {
        if (!code.isEmpty() && number.mid(1).startsWith(code)) {
            result = number.mid(1 + code.size());
            national = true;
        } else {
            result = QStringLiteral("00") + number.mid(1);
        }
    } else if (number.startsWith(u"00")) {
        if (!code.isEmpty() && number.mid(2).startsWith(code) && number.size() >= code.size()) {
            result = number.mid(2 + code.size());
            national = true;
        } else {
            result = number;
        }
    } else {
        result = withoutLeadingZero(number);
        national = true;
    }
    if (!code.isEmpty() && number.size() < code.size()) {
        result = withoutLeadingZero(number);
        national = true;
    }
    return national && addCountryZero ? QStringLiteral("0") + result : result;
}

int validityCode(const QString& period)
{
    static constexpr std::array<int, 6> Codes{35, 143, 167, 173, 196, 240};
    bool ok = false;
    const int index = period.trimmed().toInt(&ok);
    return ok && index >= 0 && index < static_cast<int>(Codes.size()) ? Codes[static_cast<std::size_t>(index)] : 0;
}

} // namespace SmsNumber
