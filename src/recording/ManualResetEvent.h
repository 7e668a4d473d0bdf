#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// An event that stays signalled until it is reset, shared between threads.
class ManualResetEvent final {
public:
    explicit ManualResetEvent(bool signalled)
        : m_signalled(signalled)
    {
    }

    void set();
    void reset();
    bool isSet() const;
    // True when the event is or becomes signalled within timeout.
    bool waitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_signalled;
};
