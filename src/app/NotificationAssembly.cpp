#include "app/NotificationAssembly.h"

#include "pbxlink/calls/CallState.h"
#include "phone/TelephoneWindowLogic.h"
#include "settings/SettingsRecord.h"

NotificationAssembly::NotificationAssembly(const SettingsRecord& settings, const CallState& calls,
                                           TelephoneWindowLogic& window, QDBusConnection bus)
    : m_calls(calls)
    , m_window(window)
    , m_notifications(std::move(bus))
{
    if (!settings.Ogolne.Powiadomienia) {
        return;
    }
    QObject::connect(&m_window, &TelephoneWindowLogic::stateApplied, &m_notifications,
                     [this](WindowState state) { follow(state); });
    QObject::connect(&m_notifications, &CallNotifications::answerRequested, &m_window, [this] { m_window.speaker(); });
    QObject::connect(&m_notifications, &CallNotifications::rejectRequested, &m_window,
                     [this] { m_window.rejectCall(); });
}

void NotificationAssembly::follow(WindowState state)
{
    switch (state) {
    case WindowState::Ringing: {
        const CallRecord& call = m_calls.record;
        m_notifications.ringing(call.callerName, call.number);
        break;
    }
    case WindowState::IncomingConnected:
        m_notifications.answered();
        break;
    case WindowState::Idle:
    case WindowState::CallEnded:
    case WindowState::Disconnected:
        m_notifications.ended();
        break;
    default:
        break;
    }
}
