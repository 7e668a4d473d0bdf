#include "recording/SignalEvent.h"

SignalEvent::SignalEvent(Reset reset, bool initiallySet)
    : m_reset(reset)
    , m_set(initiallySet)
{
}

void SignalEvent::set()
{
    {
        const std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void SignalEvent::reset()
{
    const std::lock_guard lock(m_mutex);
    m_set = false;
}

bool SignalEvent::isSet() const
{
    const std::lock_guard lock(m_mutex);
    return m_set;
}

void SignalEvent::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_set; });
    if (m_reset == Reset::Automatic) {
        m_set = false;
    }
}

bool SignalEvent::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait_for(lock, timeout, [this] { return m_set; })) {
        return false;
    }
    if (m_reset == Reset::Automatic) {
        m_set = false;
    }
    return true;
}
