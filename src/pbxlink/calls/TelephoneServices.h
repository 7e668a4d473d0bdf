#pragma once

#include "pbxlink/calls/CallState.h"
#include "settings/Clock.h"

#include <QDateTime>
#include <QString>
#include <functional>

class LineDispatcher;
class LinkDialogsPort;
class LinkNotices;
struct SettingsRecord;

// The telephone operations the user asks for. Each checks the line flags, sends its command through the queued
// send (flash through the raw send) and returns whether the command was written or queued: false when the link
// is closed or the operation does not apply now.
class TelephoneServices final {
public:
    struct Collaborators {
        const SettingsRecord& settings;
        CallState& state;
        LineDispatcher& dispatcher;
        LinkNotices& notices;
        LinkDialogsPort& dialogs;
        std::function<QString()> pbxType;
        std::function<QString()> pbxVersion;
        const Clock& clock;
    };

    explicit TelephoneServices(Collaborators collaborators);

    // Takes the line; true without sending when the line is already taken or a pick-up to dial is under way.
    bool answer();
    // Releases the line; true without sending when the handset is down. Forgets digits waiting for dial tone.
    bool putDown();
    bool answerOrReject(bool answerCall) { return answerCall ? answer() : reject(); }
    bool reject();
    bool deflect(const QString& number);

    // Dials now when the handset is lifted, otherwise takes the line and dials at the dial tone.
    bool dialDigits(const QString& digits);
    bool dial(const QString& digits);
    bool flash();

    bool park() { return dialDigits(QStringLiteral("/#31")); }
    bool conference();
    bool returnToCall() { return dialDigits(QStringLiteral("//")); }
    bool callPickUp() { return dialDigits(QStringLiteral("/#37")); }
    bool urgentCall() { return dialDigits(QStringLiteral("/#35")); }
    bool maliciousCall();

    bool setDoNotDisturb(bool on);
    bool setLock(bool lock, const QString& pin);
    // Locks when the telephone is not locked and unlocks when it is, as the last status said.
    bool toggleLock(const QString& pin) { return setLock(!m_c.state.features.locked, pin); }
    bool accountOn(const QString& account, const QString& pin);
    bool accountOff();
    // On sends the forwarding of the settings (when they name a number); off cancels any forwarding.
    bool setForwarding(bool on);
    bool requestState();
    bool logOut();

    int maximumDigits() const;

private:
    QString command(const char16_t* word) const;
    // Sends the pick-up unless the line is taken or being taken.
    bool takeLine();
    bool send(const QString& command);
    void openDialledRecord(const QString& digits);
    bool opensRecord(const QString& digits) const;

    Collaborators m_c;
};
