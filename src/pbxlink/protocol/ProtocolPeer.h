#pragma once

#include "pbxlink/protocol/ConsoleColour.h"
#include "pbxlink/protocol/PbxReply.h"

#include <QByteArray>
#include <QString>

// What the line protocol needs from the link that owns the socket.
class ProtocolPeer {
public:
    virtual ~ProtocolPeer() = default;

    // The user's extension number, unpadded.
    virtual QString extension() const = 0;

    virtual bool isOpen() const = 0;
    // Writes framed bytes; false when the write failed.
    virtual bool writeBytes(const QByteArray& bytes) = 0;
    // Puts a line into the incoming queue as if the exchange had sent it.
    virtual void queueIncomingLine(const QString& line) = 0;

    virtual void console(const QString& line, ConsoleColour colour) = 0;

    // A reply and the command it answers.
    virtual void replyReceived(const PbxReply& reply, const QString& command) = 0;
};
