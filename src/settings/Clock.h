#pragma once

#include <QDateTime>

// The program's one source of the time of day and of random numbers. Logic that needs either takes a Clock&; the
// program passes Clock::system(), tests pass a ManualClock (tests/support) that they set and step.
class Clock {
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;
    // A number from 0 to bound - 1; 0 when bound is not positive.
    virtual int random(int bound) = 0;

    // The system's clock and its random generator.
    static Clock& system();
};
