#pragma once

#include "phone/MenuItem.h"
#include "phone/StateIcon.h"

#include <optional>

// What each telephone window state (pbxlink/WindowState.h, 0..17) makes of the window: the menu items it enables,
// the tray mode (TrayLook) and the state icon.
namespace WindowStateTable {

// The enabled items; the services submenu is enabled in every state but Disconnected. The malicious call item
// only while the exchange allows it.
MenuItems enabledItems(int state, bool mcidAllowed);

// The tray mode of the state, -1 when the state leaves the tray icon alone.
int trayMode(int state);

// The state icon, nullopt when the state leaves the icon as it is.
std::optional<StateIcon> icon(int state);

} // namespace WindowStateTable
