#include "pbxsim/ReplyCodes.h"

namespace pbxsim::Refusal {

QString describe(int code)
{
    struct Name {
        int code;
        const char16_t* text;
    };
    static constexpr Name Names[] = {
        {NotLoggedIn, u"not logged in"},
        {WrongHookState, u"wrong hook state"},
        {NoCall, u"no call"},
        {Busy, u"busy or unavailable"},
        {InvalidNumber, u"invalid number"},
        {InvalidParameters, u"invalid parameters"},
        {InvalidPin, u"invalid PIN"},
        {NoPin, u"no PIN defined"},
        {NoSuchAccount, u"no such account"},
        {NoSystemPhone, u"no system phone"},
        {DiallingImpossible, u"no dial tone"},
        {PhoneLocked, u"phone locked"},
    };
    QString text = QStringLiteral("refused");
    for (const Name& name : Names) {
        if (name.code == code) {
            text = QString::fromUtf16(name.text);
        }
    }
    return text + QStringLiteral(" (aNA ") + QString::number(code) + QLatin1Char(')');
}

} // namespace pbxsim::Refusal
