#include "pbxlink/protocol/CommandQueues.h"

bool CommandQueues::expectsReply(const QString& command)
{
    return !command.isEmpty() && !command.startsWith(u"aRQST");
}

bool CommandQueues::admit(const QString& command)
{
    if (m_outstanding.isEmpty()) {
        return true;
    }
    m_deferred.enqueue(command);
    return false;
}

void CommandQueues::recordWritten(const QString& command)
{
    if (expectsReply(command)) {
        m_outstanding.enqueue(command);
    }
}

std::optional<QString> CommandQueues::takeReplyOwner()
{
    if (m_outstanding.isEmpty()) {
        return std::nullopt;
    }
    return m_outstanding.dequeue();
}

std::optional<QString> CommandQueues::takeDeferredAfterReply()
{
    if (m_deferred.isEmpty() || !m_outstanding.isEmpty()) {
        return std::nullopt;
    }
    return m_deferred.dequeue();
}

std::optional<QString> CommandQueues::takeDeferredAfterEvent()
{
    if (m_deferred.isEmpty()) {
        return std::nullopt;
    }
    return m_deferred.dequeue();
}

void CommandQueues::clear()
{
    m_outstanding.clear();
    m_deferred.clear();
}
