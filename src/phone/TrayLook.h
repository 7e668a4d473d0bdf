#pragma once

#include "phone/TrayIconList.h"
#include "phone/TrayMode.h"

// Which icon the telephone's tray icon shows: the list, the index in it and whether it animates through the list.
// NoConnection is the mode at start-up; Connecting falls back to it when the connecting time runs out. While missed
// calls wait the icon may flash: the flashing list matches the static icon of the mode. The window owns the real timers
// and follows connectingTimerRunning().
class TrayLook final {
public:
    static constexpr int AnimationMs = 500;
    static constexpr int ConnectingMs = 10000;

    // A value that is no mode is ignored. NoConnection also ends the flashing.
    void setMode(TrayMode mode);
    // While connecting the flashing only takes effect with the next mode.
    void setMissedFlash(bool on);
    // The connecting time ran out: NoConnection.
    void connectingTimedOut();

    TrayMode mode() const { return m_mode; }
    TrayIconList list() const { return m_list; }
    // The icon of the static list; the animated lists start at 0.
    int index() const { return m_list == TrayIconList::Static ? m_staticIndex : 0; }
    bool animated() const { return m_list != TrayIconList::Static; }
    bool flashing() const { return m_flashing; }
    bool connectingTimerRunning() const { return m_connectingTimerRunning; }

private:
    // The static icon, or its flashing form while missed calls flash.
    void showStaticIcon(int index);

    TrayMode m_mode = TrayMode::NoConnection;
    TrayIconList m_list = TrayIconList::Static;
    int m_staticIndex = 2;
    bool m_flashing = false;
    bool m_connectingTimerRunning = false;
};
