#pragma once

#include "settings/NamedTimers.h"

#include <QList>
#include <QMap>
#include <QPair>

// Named timers whose firing the test decides; they remember every start.
template <typename Name>
class ManualTimers final : public NamedTimers<Name> {
public:
    void start(Name timer, int milliseconds) override
    {
        intervals[timer] = milliseconds;
        active[timer] = true;
        starts.append({timer, milliseconds});
    }
    void stop(Name timer) override { active[timer] = false; }
    bool isActive(Name timer) const override { return active.value(timer); }
    int interval(Name timer) const override { return intervals.value(timer); }
    void setInterval(Name timer, int milliseconds) override { intervals[timer] = milliseconds; }

    QMap<Name, int> intervals;
    QMap<Name, bool> active;
    QList<QPair<Name, int>> starts;
};
