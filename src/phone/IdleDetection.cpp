#include "phone/IdleDetection.h"

#include "settings/SettingsRecord.h"

#include <algorithm>
#include <limits>

IdleDetection::IdleDetection(const SettingsRecord& settings, IdleHooks& hooks, IdleActions& actions, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_hooks(hooks)
    , m_actions(actions)
{
    m_idleTimer.setInterval(FormIntervalMs);
    m_idleDnd.setInterval(FormIntervalMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &IdleDetection::forwardingTimerFired);
    connect(&m_idleDnd, &QTimer::timeout, this, &IdleDetection::dndTimerFired);
}

IdleDetection::~IdleDetection()
{
    if (m_fwdIdleOn || m_dndIdleOn) {
        m_hooks.removeHooks();
    }
}

bool IdleDetection::applySetting(Kind kind)
{
    return idleSwitch(kind == Kind::Forwarding ? m_settings.Przeniesienie.OnIdle : m_settings.DND.DNDIdle, kind);
}

void IdleDetection::applySettings()
{
    applySetting(Kind::Forwarding);
    applySetting(Kind::DoNotDisturb);
}

bool IdleDetection::idleSwitch(bool on, Kind kind)
{
    bool& active = kind == Kind::Forwarding ? m_fwdIdleOn : m_dndIdleOn;
    const bool& other = kind == Kind::Forwarding ? m_dndIdleOn : m_fwdIdleOn;
    QTimer& timer = kind == Kind::Forwarding ? m_idleTimer : m_idleDnd;
    if (on) {
        const int minutes =
            kind == Kind::Forwarding ? m_settings.Przeniesienie.IdleFwdTime : m_settings.DND.IdleDNDTime;
        if (minutes >= MinimumMinutes && minutes <= MaximumMinutes) {
            // setInterval keeps a running timer running (an armed kind takes a new idle time from the
            // configuration at once). Above 35791 minutes the milliseconds no longer fit a timer; the longest
            // interval it holds (24.8 days) stands in, as Windows timers do the same.
            const qint64 milliseconds = qint64(minutes) * 60000;
            timer.setInterval(int(std::min<qint64>(milliseconds, std::numeric_limits<int>::max())));
        }
    }
    if (active == on) {
        return true;
    }
    if (on) {
        if (!m_hooks.loadHooks()) {
            return false;
        }
        active = true;
        // Counting starts now, so that a computer left untouched since the start goes idle too.
        if (!timer.isActive()) {
            timer.start();
        }
        return true;
    }
    active = false;
    if (kind == Kind::DoNotDisturb) {
        m_idleDnd.stop();
    }
    if (!other) {
        return m_hooks.removeHooks();
    }
    return true;
}

void IdleDetection::activity()
{
    if (m_settings.Przeniesienie.OnIdle) {
        restart(m_idleTimer);
    }
    if (m_settings.DND.DNDIdle) {
        restart(m_idleDnd);
    }
    if (m_fwdByIdle) {
        m_fwdByIdle = false;
        m_actions.setForwarding(false);
    }
    if (m_dndByIdle) {
        m_dndByIdle = false;
        m_actions.setDoNotDisturb(false);
    }
}

void IdleDetection::restart(QTimer& timer)
{
    timer.stop();
    timer.start();
}

void IdleDetection::forwardingTimerFired()
{
    m_idleTimer.stop();
    m_actions.setForwarding(true);
    m_fwdByIdle = true;
}

void IdleDetection::dndTimerFired()
{
    m_idleDnd.stop();
    m_dndByIdle = true;
    m_actions.setDoNotDisturb(true);
}
