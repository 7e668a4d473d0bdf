#pragma once

#include <QString>
#include <QStringView>

namespace pbxsim {

// What the exchange knows about one extension: its PIN, the feature flags reported by STAT, and its one call.
struct ExtensionState final {
    enum class Hook { Unknown, On, Off };
    enum class Call { Idle, Ringing, Dialling, Connected };

    QString pin; // empty: the extension logs in without a PIN
    Hook hook = Hook::On;
    bool forwarding = false;
    bool doNotDisturb = false;
    bool locked = false;
    bool accountCode = false;
    bool parked = false;
    QChar reserved = u'r';

    Call call = Call::Idle;
    QString peer;       // the other party of the call
    QString heldPeer;   // a call put on hold by a flash
    quint64 serial = 0; // bumped by every dial, so a late connect of an abandoned dial does nothing

    // The STAT parameters: seven flag characters, each followed by a space ("h f d l a p r ").
    QString statFlags() const;
    // Takes seven flag characters, spaces between them allowed ("HfdlapR" or "H f d l a p r"); false, and no
    // change, when one is not valid for its place.
    bool applyStatFlags(QStringView flags);
};

} // namespace pbxsim
