#pragma once

#include "ActivitySource.h"

#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

// Activity where there is no X server to listen to (a Wayland session): a thread polls the session's idle time
// over D-Bus (org.freedesktop.ScreenSaver, or GNOME's idle monitor), or failing both logind's idle hint of this
// session, and reports input whenever the answers show some since the last poll. It cannot tell the mouse from
// the keyboard, so both plug-ins report the same input.
class SessionIdleSource final : public ActivitySource {
public:
    ~SessionIdleSource() override { stop(); }
    bool start(TervoHookRecord target) override;
    bool stop() override;

private:
    void poll(TervoHookRecord target, std::promise<bool>* started);
    bool stopRequestedWithin(int milliseconds);

    std::thread m_poller;
    std::mutex m_guard;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
};
