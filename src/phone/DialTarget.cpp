#include "phone/DialTarget.h"

#include "phone/EntryText.h"
#include "settings/NumberNormalisation.h"

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

    // The spaces go only after the leading "+" has become "00": a number written "+48 22 ..." is normalised, while
    // dashes, dots or brackets after the "+" would stop it, so those are dropped first.
    QString written;
    std::copy_if(text.begin(), text.end(), std::back_inserter(written),
                 [](QChar c) { return EntryText::isDialCharacter(c) || c == u' '; });
    // A "+" that normalisation left (alone, or inside the number) means nothing to the exchange.
    return EntryText::dialDigits(normaliseInternationalPrefix(written.trimmed())).remove(u'+');
}

} // namespace DialTarget
