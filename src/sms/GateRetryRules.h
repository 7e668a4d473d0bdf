#pragma once

#include <QString>
#include <array>
#include <functional>

// What the link does when the gate refuses a send for a passing reason: count the refusal, put the command back
// with a wait, or give up and say why. Each counter is reset when a send succeeds or is given up.
class GateRetryRules final {
public:
    enum class Rule { Busy, CardBusy, NotLogged, ModuleStarting };

    static constexpr int NormalIntervalMs = 1000;
    static constexpr int BusyGiveUp = 15;
    static constexpr int CardBusyGiveUp = 20;
    static constexpr int NotLoggedGiveUp = 4;
    static constexpr int ModuleStartingWaitMs = 30000;
    static constexpr int BusySpreadMs = 500;

    struct Decision {
        bool retry = false;
        int intervalMs = NormalIntervalMs; // the wait before the command goes again
        bool giveUp = false;
        QString message; // for the user; empty when there is none
    };

    explicit GateRetryRules(std::function<int(int)> random);

    Decision apply(Rule rule);
    // A send went through: the busy counters start again.
    void sendSucceeded();
    void reset();
    int count(Rule rule) const { return m_counts[static_cast<std::size_t>(rule)]; }

private:
    Decision busy();
    Decision cardBusy();
    Decision notLogged();
    Decision moduleStarting();
    int& counter(Rule rule) { return m_counts[static_cast<std::size_t>(rule)]; }

    std::function<int(int)> m_random;
    std::array<int, 4> m_counts{};
};
