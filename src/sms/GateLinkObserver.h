#pragma once

#include "sms/GateLines.h"
#include "sms/GatePorts.h"

#include <QString>

// What the gate link tells the rest of the program: console lines, its status, messages for the user, the SMS
// centre's answers and delivery reports, and incoming segments.
class GateLinkObserver {
public:
    virtual ~GateLinkObserver() = default;

    virtual void consoleLine(const QString& line, GateColour colour) = 0;
    virtual void statusChanged(const QString& text, GateColour colour) = 0;
    // The gate's own number from the login answer; empty when logged out.
    virtual void gateNumberChanged(const QString& number) = 0;
    // A message the user should see at once.
    virtual void showMessage(const QString& text) = 0;
    // The centre's answer to the segment sent to number with that wire text.
    virtual void centreAnswered(const GateLines::CentreAnswer& answer, const QString& number,
                                const QString& wireText) = 0;
    virtual void deliveryReported(const GateLines::DeliveryReport& report) = 0;
    // An incoming segment this client is to take (it has been acknowledged).
    virtual void segmentArrived(const GateLines::IncomingSegment& segment) = 0;
};
