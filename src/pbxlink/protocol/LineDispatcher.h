#pragma once

#include "pbxlink/protocol/CommandQueues.h"
#include "pbxlink/protocol/PbxEvent.h"

#include <QString>
#include <functional>

class PbxEventSink;
class ProtocolPeer;

// The line protocol of the PBX link: writes commands (raw, or queued so that one command at a time waits for its
// reply), and takes one received line at a time: replies go to the peer with the command they answer, events of
// this extension go to the event sink, lines of other extensions and lines not starting with "a" are dropped.
class LineDispatcher final {
public:
    explicit LineDispatcher(ProtocolPeer& peer);

    void setEventSink(PbxEventSink* sink) { m_events = sink; }
    // Told the first word of every line (the synchronous waits look for "aOK", "aREL" and the like).
    void setFirstWordObserver(std::function<void(const QString&)> observer)
    {
        m_firstWordObserver = std::move(observer);
    }

    // Both return false only when the socket is not open; a deferred command counts as sent.
    bool sendRaw(const QString& command);
    bool sendQueued(const QString& command);

    void dispatch(const QString& line);

    // Forgets every outstanding and deferred command (a new connection).
    void reset() { m_queues.clear(); }
    const CommandQueues& queues() const { return m_queues; }

private:
    void handleReply(const QString& line);
    bool handleEventForThisExtension(QString line);
    static std::optional<PbxEvent> parseEvent(const QString& text);

    ProtocolPeer& m_peer;
    PbxEventSink* m_events = nullptr;
    std::function<void(const QString&)> m_firstWordObserver;
    CommandQueues m_queues;
};
