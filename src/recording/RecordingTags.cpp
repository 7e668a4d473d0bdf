#include "recording/RecordingTags.h"

#include "settings/Lang.h"

#include <QLocale>

namespace RecordingTags {

namespace {

// Fills the two "%s" of a translated pattern in order.
QString fillTwo(QString pattern, const QString& first, const QString& second)
{
    for (const QString& value : {first, second}) {
        const qsizetype at = pattern.indexOf(QLatin1String("%s"));
        if (at < 0)
            break;
        pattern.replace(at, 2, value);
    }
    return pattern;
}

} // namespace

QList<Tag> forCall(const QString& number, const QString& party, const QDateTime& callTime, const QDateTime& now)
{
    const QLocale locale;
    const QString callDay = locale.toString(callTime.date(), QStringLiteral("d.MM.yyyy (dddd)"));
    const QString callHour = callTime.time().toString(QStringLiteral("h:mm:ss"));
    const QString space(u' ');
    return {
        {"TITLE", Lang::_("Connecting number:") + space + number},
        {"ARTIST", Lang::_("Caller:") + space + party},
        {"ALBUM", Lang::_("The Norvel Tervo Telephone calls")},
        {"GENRE", Lang::_("Speak")},
        {"ENCODER", Lang::_("Norvel Tervo with vorbisenc.dll v 1.0.1")},
        {"DATE", now.date().toString(QStringLiteral("yyyy-MM-dd"))},
        {"COMMENT", fillTwo(Lang::_("Records dated on %s %s"), callDay, callHour)},
        {"WWW", Lang::_("More about Norvel telephones on the maker's web site.")},
    };
}

} // namespace RecordingTags
