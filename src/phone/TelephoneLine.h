#pragma once

#include <QString>

// The line as the telephone window drives it: one call per user action. Each returns whether the command went
// out (false when the link is closed or the operation does not apply now). src/app implements it over the link's
// services; tests plug in their own.
class TelephoneLine {
public:
    virtual ~TelephoneLine() = default;

    virtual bool answer() = 0;
    virtual bool reject() = 0;
    virtual bool putDown() = 0;
    // Digits for the exchange: a number to dial, or keypad digits during a conversation.
    virtual bool dialDigits(const QString& digits) = 0;
    virtual bool returnToCall() = 0;
    virtual bool park() = 0;
    virtual bool flash() = 0;
    virtual bool conference() = 0;
    virtual bool callPickUp() = 0;
    virtual bool urgentCall() = 0;
    virtual bool maliciousCall() = 0;
    virtual bool setDoNotDisturb(bool on) = 0;
    virtual bool setLock(bool lock, const QString& pin) = 0;
    virtual bool setForwarding(bool on) = 0;
};
