#pragma once

#include <QQueue>
#include <QString>
#include <optional>

// Pairs the exchange's replies with commands. Only one command waits for its reply at a time: a command sent
// while another is outstanding is deferred until the reply (or the next event for this extension). The state
// request and the keep-alive get no reply and are never outstanding.
class CommandQueues final {
public:
    // Whether a queued command may be written now; if not it is deferred.
    bool admit(const QString& command);

    // A command was written to the socket.
    void recordWritten(const QString& command);

    // The command the reply answers, taken off; nothing when no command is outstanding.
    std::optional<QString> takeReplyOwner();

    // The next deferred command, taken off: after a reply only when nothing is outstanding any more, after an
    // event of this extension in any case.
    std::optional<QString> takeDeferredAfterReply();
    std::optional<QString> takeDeferredAfterEvent();

    bool hasOutstanding() const { return !m_outstanding.isEmpty(); }
    bool hasDeferred() const { return !m_deferred.isEmpty(); }
    void clear();

    static bool expectsReply(const QString& command);

private:
    QQueue<QString> m_outstanding;
    QQueue<QString> m_deferred;
};
