#pragma once

#include <QDateTime>
#include <QString>

// Where SMS rows of the call history are written; the program connects the history register.
class SmsHistoryPort {
public:
    virtual ~SmsHistoryPort() = default;

    // kind 4 (taken by the centre), 5 (refused) or 8 (received).
    virtual void addMessage(int kind, const QDateTime& when, int reference, const QString& number,
                            const QString& text) = 0;
    // The rows of that reference get the new kind (6 delivered, 7 not delivered).
    virtual void setState(int reference, int kind) = 0;
};

namespace SmsKind {
inline constexpr int Sent = 4;
inline constexpr int Refused = 5;
inline constexpr int Delivered = 6;
inline constexpr int NotDelivered = 7;
inline constexpr int Received = 8;
// Received messages keep their reference apart from those of sent ones.
inline constexpr int ReceivedReferenceOffset = 256;
} // namespace SmsKind
