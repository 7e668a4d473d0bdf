#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace pbxsim {

// What the exchange knows about one extension: its PIN and telephone, the feature flags reported by STAT, its one
// call, and the calls it keeps aside (held, parked, joined in a conference).
struct ExtensionState final {
    enum class Hook { Unknown, On, Off };
    enum class Call { Idle, Ringing, Dialling, Connected };

    QString pin;             // empty: the extension logs in without a PIN and has no lock PIN
    bool systemPhone = true; // false: an analogue set, whose handset the server cannot lift or put down
    Hook hook = Hook::On;
    bool forwarding = false;
    QString forwardingRule; // "kind condition time number" as the client set it
    bool doNotDisturb = false;
    bool locked = false;
    bool accountCode = false;
    QString account;
    bool parked = false;
    QChar reserved = u'r';

    Call call = Call::Idle;
    QString peer;           // the other party of the call
    QString peerName;       // the caller's name of a ringing call
    QString waitingPeer;    // a second caller waiting while the conversation goes on
    QString heldPeer;       // a call put on hold by a flash
    QString parkedPeer;     // a call parked with /#31
    QStringList conference; // parties joined to the conversation
    quint64 serial = 0;     // bumped by every dial, so a late connect of an abandoned dial does nothing

    bool isOffHook() const { return hook == Hook::Off; }
    // Nothing going on: a call to it may ring.
    bool isFree() const { return call == Call::Idle && !isOffHook(); }

    // The STAT parameters: seven flag characters, each followed by a space ("h f d l a p r ").
    QString statFlags() const;
    // Takes seven flag characters, spaces between them allowed ("HfdlapR" or "H f d l a p r"); false, and no
    // change, when one is not valid for its place.
    bool applyStatFlags(QStringView flags);
    // One line for the operator: "off hook, connected to 600, held 100, dnd".
    QString describe() const;
};

} // namespace pbxsim
