#include "phone/ui/TrayIconArt.h"

#include "phone/ui/IconArt.h"

#include <QHash>
#include <array>

namespace {

constexpr std::array<int, 6> PixmapSizes{16, 22, 24, 32, 48, 64};
// Below this size a tray picture has its own drawing, without the rim that would blur it.
constexpr int SmallBelow = 24;
constexpr int SmsFrames = 2;

// name is the picture's name under tray/.
QIcon iconOf(const QString& name)
{
    QIcon icon;
    for (const int size : PixmapSizes) {
        icon.addPixmap(IconArt::pixmap(
            (size < SmallBelow ? QStringLiteral("tray/small/") : QStringLiteral("tray/")) + name, size));
    }
    return icon;
}

// The static icons by colour; a flashing list flashes the static icon of its colour with a highlighted frame.
QString staticName(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("normal");
    case 1:
        return QStringLiteral("in-call");
    default:
        return QStringLiteral("offline");
    }
}

QString pictureName(TrayIconList list, int index)
{
    switch (list) {
    case TrayIconList::Static:
        return staticName(index);
    case TrayIconList::FlashGreen:
    case TrayIconList::FlashRed:
    case TrayIconList::FlashGrey: {
        const int staticIndex = list == TrayIconList::FlashGreen ? 0 : list == TrayIconList::FlashRed ? 1 : 2;
        return staticName(staticIndex) + (index == 1 ? QStringLiteral("-flash") : QString());
    }
    case TrayIconList::Connecting:
        return QStringLiteral("connecting-%1").arg(index);
    }
    return {};
}

} // namespace

namespace TrayIconArt {

int frameCount(TrayIconList list)
{
    switch (list) {
    case TrayIconList::Static:
        return 3;
    case TrayIconList::FlashGreen:
    case TrayIconList::FlashRed:
    case TrayIconList::FlashGrey:
        return 2;
    case TrayIconList::Connecting:
        return 4;
    }
    return 0;
}

QIcon icon(TrayIconList list, int index)
{
    if (index < 0 || index >= frameCount(list)) {
        return {};
    }
    // Made once: the tray changes its icon at every call event and every animation step.
    static QHash<int, QIcon> made;
    const int key = static_cast<int>(list) * 16 + index;
    auto found = made.constFind(key);
    if (found == made.constEnd()) {
        found = made.insert(key, iconOf(pictureName(list, index)));
    }
    return *found;
}

QIcon smsIcon(int frame)
{
    if (frame < 0 || frame >= SmsFrames) {
        return {};
    }
    return iconOf(frame == 1 ? QStringLiteral("sms-flash") : QStringLiteral("sms"));
}

} // namespace TrayIconArt
