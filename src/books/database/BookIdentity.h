#pragma once

#include <QtGlobal>
#include <functional>

// Where the identity of a new phone-book file comes from: a pseudo-random generator of 0..32767 and the
// milliseconds since the machine started. Tests inject both.
struct IdentitySource {
    std::function<int()> random;
    std::function<qint64()> uptimeMilliseconds;

    static IdentitySource system();
};

namespace BookIdentity {

// t = uptime + r1 in 32 bits, negated when r2 is even; 0 becomes r3 % 65535 + 1. Never 0.
qint32 make(const IdentitySource& source);

} // namespace BookIdentity
