#pragma once

#include "phone/TrayIconList.h"

#include <QIcon>

// The tray icons, rendered at every usual tray size so that a tray of any size gets a crisp one.
namespace TrayIconArt {

// Static: 0 normal (green), 1 in a call (red-orange), 2 no connection (grey). FlashGreen, FlashRed and FlashGrey:
// 0 the icon, 1 its highlighted frame. Connecting: frames 0..3. An index outside the list gives a null icon.
QIcon icon(TrayIconList list, int index);
int frameCount(TrayIconList list);
// The unread-SMS envelope: frame 0, and frame 1 highlighted.
QIcon smsIcon(int frame);

} // namespace TrayIconArt
