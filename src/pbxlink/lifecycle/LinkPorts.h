#pragma once

#include "settings/NamedTimers.h"

#include <QString>

struct PbxReply;

// The timers of the link, by name. All repeat until stopped, as the link's handlers expect.
enum class LinkTimer { Connect, Login, Guard, DetectServerFull, DisconnectSleep };
constexpr std::size_t LinkTimerCount = 5;
static_assert(static_cast<std::size_t>(LinkTimer::DisconnectSleep) + 1 == LinkTimerCount);

using LinkTimers = NamedTimers<LinkTimer>;

// The TCP connection as the lifecycle sees it.
class LinkSocket {
public:
    virtual ~LinkSocket() = default;

    // Starts connecting; false when the address cannot be used at all.
    virtual bool open(const QString& host, int port) = 0;
    // Closes from this side; the lifecycle is not told of it as a drop.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString remoteAddress() const = 0;
    // Forgets received lines that wait to be processed and any partial line.
    virtual void clearIncoming() = 0;
};

// The search for the server on the local network.
class ServerSearch {
public:
    virtual ~ServerSearch() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
};

// The replies to service commands (everything but login and logout).
class ServiceReplyHandler {
public:
    virtual ~ServiceReplyHandler() = default;

    virtual void handleServiceReply(const PbxReply& reply, const QString& command) = 0;
};
