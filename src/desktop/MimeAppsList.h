#pragma once

#include <QString>

// The user's mimeapps.list ($XDG_CONFIG_HOME/mimeapps.list), where the desktop looks up the default handler of a
// type or link scheme. Only the one key is touched; every other line stays as it was.
namespace MimeAppsList {

inline constexpr char16_t DefaultsGroup[] = u"[Default Applications]";

// The desktop entry named as the default of mimeType, or empty.
QString defaultFor(const QString& text, const QString& mimeType);
// The text with desktopId as the default of mimeType: its line replaced, or added to the group, or the group
// added at the end.
QString withDefault(const QString& text, const QString& mimeType, const QString& desktopId);

} // namespace MimeAppsList
