#pragma once

#include "pbxlink/calls/CallPorts.h"
#include "pbxlink/calls/CallState.h"
#include "pbxlink/calls/CallTimer.h"
#include "pbxlink/calls/CallTracker.h"
#include "pbxlink/calls/ServiceReplies.h"
#include "pbxlink/calls/TelephoneServices.h"
#include "pbxlink/lifecycle/LinkPartners.h"

#include <QDateTime>
#include <functional>

class LineDispatcher;
class LinkDialogsPort;
class LinkLifecycle;
class LinkNotices;
struct SettingsRecord;

// The calls on the extension: the shared call state, call tracking fed by the dispatcher's events, the
// telephone services and the handling of their replies, put together on a link's dispatcher and lifecycle.
class CallControl final {
public:
    // The clock gives the time calls start and end; processPendingEvents runs once after each event (may be empty).
    CallControl(const SettingsRecord& settings, LineDispatcher& dispatcher, LinkLifecycle& lifecycle,
                LinkNotices& notices, LinkPartners partners, const Clock& clock,
                std::function<void()> processPendingEvents);

    CallControl(const CallControl&) = delete;
    CallControl& operator=(const CallControl&) = delete;

    const CallState& state() const { return m_state; }
    CallTracker& tracker() { return m_tracker; }
    TelephoneServices& services() { return m_services; }
    CallTimer& callTimer() { return m_callTimer; }

private:
    CallState m_state;
    CallTimer m_callTimer;
    CallTracker m_tracker;
    TelephoneServices m_services;
    ServiceReplies m_replies;
};
