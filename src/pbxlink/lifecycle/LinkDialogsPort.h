#pragma once

#include <QString>

// The windows the link opens. The widgets library implements it; tests plug in a recorder.
class LinkDialogsPort {
public:
    virtual ~LinkDialogsPort() = default;

    // The "Loging in" window, shown when the PIN is not kept; it stores what the user enters in the settings.
    virtual bool isLoginOrConfigurationVisible() const = 0;
    virtual void showLogin() = 0;

    // The network error window (only called when the settings ask for it); repeated reports are counted.
    virtual void showNetworkError(const QString& message) = 0;

    // A message box: caption, text, an error or warning icon, always on top.
    virtual void showError(const QString& caption, const QString& text) = 0;
    virtual void showWarning(const QString& caption, const QString& text) = 0;

    // The configuration dialog's page for an unknown server address.
    virtual void showServerConfiguration() = 0;
};
