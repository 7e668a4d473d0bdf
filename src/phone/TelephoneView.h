#pragma once

#include "phone/MenuItem.h"
#include "phone/StateIcon.h"
#include "phone/TrayIconList.h"

#include <QString>

struct FeatureStatus;

// What the telephone window's logic shows and asks through the window on the screen. The skinned window and the
// tray implement it; tests plug in a recorder.
class TelephoneView {
public:
    virtual ~TelephoneView() = default;

    virtual void setEnabledItems(MenuItems items) = 0;
    virtual void setStateIcon(StateIcon icon) = 0;
    // The top line of the display: missed calls, no connection, connecting.
    virtual void setAreaText(const QString& text) = 0;
    // The text line with the call labels and notices; hint is its tool tip.
    virtual void setShowText(const QString& text, const QString& hint) = 0;
    // The small line under it: the kind of number shown, the call's duration, the link's status.
    virtual void setInfoText(const QString& text) = 0;
    virtual void setEntryText(const QString& text) = 0;
    virtual void setEntryReadOnly(bool readOnly) = 0;
    virtual void setFeatureFlags(const FeatureStatus& status) = 0;
    virtual void setRecording(bool on) = 0;

    virtual void setTrayIcon(TrayIconList list, int index, bool animated) = 0;
    virtual void setTrayHint(const QString& hint) = 0;
    // The tray menu's default item: the call history while missed calls wait (when the settings say so).
    virtual void setTrayDefaultHistory(bool history) = 0;

    // Shows the window without the user asking (a call event): on top, without taking the keyboard.
    virtual void popUp() = 0;
    // A yes/no question; true for yes.
    virtual bool ask(const QString& question) = 0;
    virtual void inform(const QString& text) = 0;
};
