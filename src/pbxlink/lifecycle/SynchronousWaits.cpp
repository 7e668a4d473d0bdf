#include "pbxlink/lifecycle/SynchronousWaits.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr std::array<const char16_t*, 6> Words = {u"aSTAT", u"aDRDY", u"aREL", u"aOK", u"aNA", u"aERROR"};

} // namespace

SynchronousWaits::SynchronousWaits(int timeoutMs)
    : m_timeoutMs(timeoutMs)
{
}

void SynchronousWaits::observe(const QString& firstWord)
{
    for (std::size_t i = 0; i < Words.size(); ++i) {
        if (firstWord == Words[i]) {
            m_seen[i] = true;
            for (QEventLoop* loop : std::as_const(m_loops)) {
                loop->quit();
            }
            return;
        }
    }
}

void SynchronousWaits::linkDestroyed()
{
    m_destroyed = true;
    for (QEventLoop* loop : std::as_const(m_loops)) {
        loop->quit();
    }
}

bool SynchronousWaits::waitForReply()
{
    return waitFor({Ok, Refused, Error}) && m_seen[Ok];
}

bool SynchronousWaits::waitForRelease()
{
    return waitFor({Release});
}

bool SynchronousWaits::waitForDialTone()
{
    return waitFor({DialTone});
}

bool SynchronousWaits::waitForStatus()
{
    return waitFor({Status});
}

bool SynchronousWaits::seenAny(std::initializer_list<Word> words) const
{
    for (const Word word : words) {
        if (m_seen[word]) {
            return true;
        }
    }
    return false;
}

bool SynchronousWaits::waitFor(std::initializer_list<Word> words)
{
    // The link may be destroyed while the loop runs; the wait keeps this object alive until it returns.
    const std::shared_ptr<SynchronousWaits> keepAlive = shared_from_this();
    for (const Word word : words) {
        m_seen[word] = false;
    }
    const QDeadlineTimer deadline(m_timeoutMs);
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_loops.append(&loop);
    // A nested wait quits every loop when its line comes; each loop checks its own lines and goes on if needed.
    while (!m_destroyed && !seenAny(words) && !deadline.hasExpired()) {
        timeout.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
    m_loops.removeOne(&loop);
    return m_destroyed || seenAny(words);
}
