#pragma once

#include <QList>
#include <QString>
#include <array>
#include <memory>

class QEventLoop;

// Waiting, while the event loop goes on, for the exchange's next reply or for a release, dial tone or status
// line: the lines are noted by their first word as the link dispatches them. A wait ends when its line comes, when
// the link is destroyed, or after the time-out.
class SynchronousWaits final : public std::enable_shared_from_this<SynchronousWaits> {
public:
    static constexpr int DefaultTimeoutMs = 5000;

    explicit SynchronousWaits(int timeoutMs = DefaultTimeoutMs);

    // The first word of a dispatched line.
    void observe(const QString& firstWord);
    // Ends every wait in progress; later waits return at once.
    void linkDestroyed();

    // True only when the reply was "aOK".
    bool waitForReply();
    // True when the line came or the link was destroyed, false on time-out.
    bool waitForRelease();
    bool waitForDialTone();
    bool waitForStatus();

private:
    enum Word { Status, DialTone, Release, Ok, Refused, Error, WordCount };

    bool waitFor(std::initializer_list<Word> words);
    bool seenAny(std::initializer_list<Word> words) const;

    int m_timeoutMs;
    std::array<bool, WordCount> m_seen{};
    bool m_destroyed = false;
    QList<QEventLoop*> m_loops;
};
