#pragma once

#include <QObject>

namespace WindowStates {
Q_NAMESPACE

// The eighteen looks of the telephone window. The link chooses some of them, the window sets the others itself
// (a number typed, the redial list browsed, a held call resumed). The values are the state numbers that the trace
// output and the tests print; 7 and 10 exist only to keep the numbering.
enum class WindowState : int {
    Idle = 0,
    HandsetEvent = 1,
    NumberReady = 2,
    RedialBrowse = 3,
    NumberEntry = 4,
    OffHook = 5,
    Dialling = 6,
    Unused7 = 7,
    OutgoingConnected = 8,
    Ringing = 9,
    WaitingShown = 10,
    IncomingConnected = 11,
    CallEnded = 12,
    IdleRefresh = 13,
    Resumed = 14,
    Disconnected = 15,
    IdleShow = 16,
    Connecting = 17,
};
Q_ENUM_NS(WindowState)

} // namespace WindowStates

using WindowStates::WindowState;
