#pragma once

#include "desktop/CallNotifications.h"
#include "pbxlink/lifecycle/WindowState.h"

class TelephoneWindowLogic;
struct CallState;
struct SettingsRecord;

// Desktop notifications of the extension's calls (unless Ogolne/Powiadomienia is off), following the telephone
// window's states; their "Answer" and "Reject" run the window's own services.
class NotificationAssembly final {
public:
    NotificationAssembly(const SettingsRecord& settings, const CallState& calls, TelephoneWindowLogic& window,
                         QDBusConnection bus);

private:
    void follow(WindowState state);

    const CallState& m_calls;
    TelephoneWindowLogic& m_window;
    CallNotifications m_notifications;
};
