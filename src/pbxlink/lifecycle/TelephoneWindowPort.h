#pragma once

#include "pbxlink/lifecycle/StatusLine.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QString>

// What the link tells the telephone window. The window implements it; tests plug in a recorder.
class TelephoneWindowPort {
public:
    virtual ~TelephoneWindowPort() = default;

    virtual void setWindowState(WindowState state) = 0;
    virtual void setStatus(const StatusLine& status) = 0;

    // The two texts shown while the exchange is in service mode; cleared by every reply.
    virtual void setUnavailableTexts(const QString& title, const QString& detail) = 0;
    virtual void clearUnavailableTexts() = 0;

    virtual void showMissedCallIndicator() = 0;
    virtual void refreshIdleDisplay() = 0;
    virtual void clearConnectionNote() = 0;

    // A request held back until the link is logged in (a number to dial from the command line, say).
    virtual void runPendingStartupRequest() = 0;
};
