#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A signal one thread sets and another waits for. A manual-reset event stays set until it is reset; an automatic
// one lets exactly one wait through and resets itself.
class SignalEvent final {
public:
    enum class Reset { Manual, Automatic };

    SignalEvent(Reset reset, bool initiallySet);

    void set();
    void reset();
    bool isSet() const; // checked without waiting; does not consume an automatic event
    void wait();
    // False when the time ran out first.
    bool waitFor(std::chrono::milliseconds timeout);

private:
    const Reset m_reset;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set;
};
