#include "books/database/BookIdentity.h"

#include "settings/Clock.h"

#include <chrono>

IdentitySource IdentitySource::system()
{
    return {[] { return Clock::system().random(32768); },
            [] {
                // The steady clock of Linux counts from the start of the machine.
                const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
                return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
            }};
}

qint32 BookIdentity::make(const IdentitySource& source)
{
    // The tick count wraps at 32 bits; unsigned arithmetic keeps the wrap defined.
    quint32 value = quint32(source.uptimeMilliseconds()) + quint32(source.random());
    if (source.random() % 2 == 0) {
        value = 0U - value;
    }
    if (value == 0) {
        return qint32(source.random() % 65535 + 1);
    }
    return qint32(value);
}
