#include "settings/Clock.h"

#include <QRandomGenerator>

namespace {

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    int random(int bound) override
    {
        return bound > 0 ? static_cast<int>(QRandomGenerator::global()->bounded(bound)) : 0;
    }
};

} // namespace

Clock& Clock::system()
{
    static SystemClock clock;
    return clock;
}
