#pragma once

// The image lists of the telephone's tray icon. Static icons: index 0 normal, 1 in a call, 2 no connection. The
// flashing lists hold two frames (the icon and its highlighted form); the connecting list holds the frames of the
// connection animation.
enum class TrayIconList { Static, FlashGreen, FlashRed, FlashGrey, Connecting };
