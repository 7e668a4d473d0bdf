#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The kinds of call kept in the record and in the call history.
namespace CallType {

inline constexpr int OutgoingDialling = 0;
inline constexpr int IncomingUnanswered = 1;
inline constexpr int IncomingAnswered = 2;
inline constexpr int OutgoingAnswered = 3;

inline bool wasAnswered(int type)
{
    return type == IncomingAnswered || type == OutgoingAnswered;
}

} // namespace CallType

// The one call the link follows on the extension. A null end time stands for "no end" (calls not answered).
struct CallRecord {
    int type = CallType::OutgoingDialling;
    QDateTime start;
    QDateTime end;
    QString number;       // saved with the call: caller, dialled digits or connected party
    QString callerName;   // from the ringing event, kept only when the window accepts it
    QString calledNumber; // the number that was called: a group or the extension
    QString otherParty;   // the last number seen ringing or connected
    QString dialledDigits;
    bool closed = true;         // no call is being tracked
    bool started = false;       // the start-of-call actions ran
    bool recordingMade = false; // a sound-card recording runs for this call
};

// A copy of the last closed call, read by the recorder and the telephone window.
struct LastCall {
    int type = CallType::OutgoingDialling;
    QDateTime start;
    QDateTime end;
    QString number;
    QString callerName;
    QString calledNumber;
    bool recordingOffered = false;
};

// A second caller ringing while a conversation goes on (call waiting). The conversation keeps the call record;
// the waiting call becomes the record when the user takes it, and is written as a missed call of its own when the
// conversation ends without it being taken.
struct WaitingCall {
    QString number;
    QString callerName; // from the ringing event, kept only when the window accepts it
    QString calledNumber;
    QDateTime start;
};

// What the exchange said about the extension's line.
struct LineFlags {
    bool offHook = false;
    bool incoming = false;
    bool ringing = false; // a ringing call that may still be rejected
    bool wasRinging = false;
    bool connected = false;
    bool inConversation = false;
    bool dialAfterPickUp = false; // dial the remembered digits at the next dial tone
};

// The feature flags of the last status event; unknown until one arrives.
struct FeatureStatus {
    enum class Hook { Unknown, Lifted, OnHook };

    Hook hook = Hook::Unknown;
    bool forwarding = false;
    bool doNotDisturb = false;
    bool locked = false;
    bool accountCode = false;
    bool parked = false;

    // Seven flag characters, each followed by a separator; a flag is on when its character is upper case, and a
    // first flag "o" leaves the hook unknown. Too short a text gives nothing.
    static std::optional<FeatureStatus> parse(const QString& parameters);
};

// Everything call tracking and the services share about the extension.
struct CallState {
    CallRecord record;
    LineFlags flags;
    LastCall lastCall;
    FeatureStatus features;
    std::optional<WaitingCall> waitingCall;
    QString rememberedDigits;       // dialled at the next dial tone when dialAfterPickUp is set
    bool pickUpForDialling = false; // the last pick-up was sent to dial, not by the user
    bool forwardingSetByClient = false;
};
