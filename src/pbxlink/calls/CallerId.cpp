#include "pbxlink/calls/CallerId.h"

#include "settings/SettingsRecord.h"

QString CallerId::withoutFlashMark(const QString& number)
{
    return number.startsWith(u'/') ? number.mid(1) : number;
}

QString CallerId::usableName(const SettingsRecord& settings, const QString& sent)
{
    const QString name = sent.trimmed();
    return settings.Ogolne.ShowCmt && name != u"_" ? name : QString();
}
