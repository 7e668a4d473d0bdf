#pragma once

#include <cstdint>
#include <optional>

// Turns polled idle times of the session into activity. Desktops disagree on the unit (seconds or milliseconds),
// so the rule needs none: input happened when the idle time fell since the last poll, or when it stays at zero
// (a user busy at a desktop that counts in whole seconds). The first poll only sets the baseline.
class IdleTimeWatch final {
public:
    bool activitySeen(std::uint64_t idleTime)
    {
        const std::optional<std::uint64_t> previous = m_previous;
        m_previous = idleTime;
        return previous && (idleTime < *previous || (idleTime == 0 && *previous == 0));
    }

private:
    std::optional<std::uint64_t> m_previous;
};

// The same for a yes/no idle hint: input happened when the session stopped being idle.
class IdleHintWatch final {
public:
    bool activitySeen(bool idle)
    {
        const bool wasIdle = m_idle;
        m_idle = idle;
        return wasIdle && !idle;
    }

private:
    bool m_idle = false;
};
