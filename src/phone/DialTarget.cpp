#include "phone/DialTarget.h"

#include "phone/EntryText.h"

#include <QUrl>
#include <algorithm>
#include <array>

namespace {

// The address kinds whose text after the colon is a number.
constexpr std::array<QStringView, 3> NumberSchemes = {u"tervop:", u"tel:", u"callto:"};

QStringView withoutScheme(QStringView target)
{
    for (const QStringView scheme : NumberSchemes) {
        if (target.startsWith(scheme, Qt::CaseInsensitive)) {
            target = target.sliced(scheme.size());
            break;
        }
    }
    if (target.startsWith(u"//")) {
        target = target.sliced(2);
    }
    return target;
}

} // namespace

namespace DialTarget {

QString numberOf(const QString& target)
{
    QString text = QUrl::fromPercentEncoding(withoutScheme(QStringView(target).trimmed()).toUtf8());
    const auto isParameterStart = [](QChar c) {
        return c == u';' || c == u'?';
    };
    text.truncate(std::find_if(text.begin(), text.end(), isParameterStart) - text.begin());

    const QString digits = EntryText::dialDigits(text);
    // A "+" inside the number, or alone, means nothing to the exchange.
    const bool international = digits.startsWith(u'+');
    const QString rest = QString(digits).remove(u'+');
    return international && !rest.isEmpty() ? u'+' + rest : rest;
}

} // namespace DialTarget
