#pragma once

#include "pbxlink/lifecycle/WindowState.h"
#include "phone/MenuItem.h"
#include "phone/StateIcon.h"
#include "phone/TrayMode.h"

#include <optional>

// What each telephone window state makes of the window: the menu items it enables,
// the tray mode (TrayLook) and the state icon.
namespace WindowStateTable {

// The enabled items; the services submenu is enabled in every state but Disconnected. The malicious call item
// only while the exchange allows it.
MenuItems enabledItems(WindowState state, bool mcidAllowed);

// The tray mode of the state, nullopt when the state leaves the tray icon alone.
std::optional<TrayMode> trayMode(WindowState state);

// The state icon, nullopt when the state leaves the icon as it is.
std::optional<StateIcon> icon(WindowState state);

} // namespace WindowStateTable
