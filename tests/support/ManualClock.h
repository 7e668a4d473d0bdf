#pragma once

#include "settings/Clock.h"

#include <functional>

// A clock the test sets and steps; its random numbers come from the test as well.
class ManualClock final : public Clock {
public:
    QDateTime now() const override { return time; }
    int random(int bound) override
    {
        if (bound <= 0) {
            return 0;
        }
        return draw ? draw(bound) : nextRandom % bound;
    }

    void advanceSeconds(int seconds) { time = time.addSecs(seconds); }

    QDateTime time = QDateTime(QDate(2026, 3, 2), QTime(9, 15, 0));
    int nextRandom = 0;
    // When set, draws instead of nextRandom.
    std::function<int(int bound)> draw;
};
