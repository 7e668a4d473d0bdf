#pragma once

#include <QObject>

namespace TrayModes {
Q_NAMESPACE

// What the telephone's tray icon stands for; each mode but Connecting shows the static icon of its number. 3 is
// not a mode.
enum class TrayMode : int {
    Normal = 0,
    Call = 1,
    NoConnection = 2,
    Connecting = 4,
};
Q_ENUM_NS(TrayMode)

} // namespace TrayModes

using TrayModes::TrayMode;
