#include "pbxlink/calls/DialLimit.h"

namespace {

// The number formed by the digit characters of a version part; other characters are skipped.
int digitsOf(QStringView part)
{
    int value = 0;
    for (const QChar c : part) {
        if (c.isDigit() && value < 100000) {
            value = value * 10 + c.digitValue();
        }
    }
    return value;
}

} // namespace

int DialLimit::maximumDigits(const QString& pbxType, const QString& pbxVersion)
{
    if (pbxType.compare(u"Tolmo", Qt::CaseInsensitive) != 0) {
        return Standard;
    }
    const qsizetype dot = pbxVersion.indexOf(u'.');
    const int major = digitsOf(QStringView(pbxVersion).left(dot < 0 ? pbxVersion.size() : dot));
    const int minor = dot < 0 ? 0 : digitsOf(QStringView(pbxVersion).sliced(dot + 1));
    const bool extended = major > 1 || (major == 1 && minor >= 45);
    return extended ? Extended : Standard;
}

int DialLimit::countedDigits(const QString& digits)
{
    return static_cast<int>(digits.size()) - (digits.startsWith(u'/') ? 1 : 0);
}
