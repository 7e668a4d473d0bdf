#pragma once

#include "settings/NamedTimers.h"

#include <QString>

// The timers of the gate link, by name. All repeat until stopped.
enum class GateTimer { Connect, Login, Guard, SendCommand };
constexpr std::size_t GateTimerCount = 4;
static_assert(static_cast<std::size_t>(GateTimer::SendCommand) + 1 == GateTimerCount);

using GateTimers = NamedTimers<GateTimer>;

// The gate's TCP connection as the link's core sees it: text lines, framed and encoded by the socket's owner.
class GateSocket {
public:
    virtual ~GateSocket() = default;

    // Starts connecting; false when the address cannot be used at all.
    virtual bool open(const QString& host, int port) = 0;
    // Closes from this side; the core is not told of it as a drop.
    virtual void close() = 0;
    virtual bool isConnected() const = 0;
    virtual QString remoteAddress() const = 0;
    // Writes one line; false when the write failed.
    virtual bool writeLine(const QString& line) = 0;
};

// Colours of the SMS console and of the link's status text, as RGB values.
enum class GateColour : unsigned {
    Sent = 0x00FF00,       // green: commands sent
    Reply = 0x00FFFF,      // aqua: replies and lines from the gate
    Connection = 0xFFFFFF, // white: connecting and disconnecting
    Error = 0xFF0000,      // red: socket errors
    Disabled = 0xFFFF00,   // yellow: the service is switched off
    StatusGood = 0x008000, // the status text when logged in
    StatusBusy = 0x000080, // the status text while connecting or logging in
    StatusBad = 0xC00000,  // the status text after a failure
};

// The window that waits for the result of the segment it asked the link to send.
class GateSendListener {
public:
    virtual ~GateSendListener() = default;

    // The SMS centre took the segment ("C") under this reference.
    virtual void segmentAccepted(int reference) = 0;
    // The SMS centre refused the segment ("R").
    virtual void segmentRejected() = 0;
    // The link gave up on the segment; reason says why, in the user's language.
    virtual void sendFailed(const QString& reason) = 0;
};
