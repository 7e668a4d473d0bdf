#pragma once

#include "settings/SecretKeyring.h"
#include "settings/keyring/QtKeychainVault.h"

#include <functional>

class ErrorLog;
class SettingsStore;

// The settings' secrets in the desktop's keyring (Ogolne/Keyring): read before anything that logs in is built,
// written after every save, moved when the setting is switched. Failures go to error.log and a message box that
// does not wait for an answer.
class KeyringAssembly final {
public:
    // How long the start waits for the keyring (which may be asking the user to unlock it) before it goes on
    // without its secrets; a later answer is still taken (see onLateSecrets).
    static constexpr int ReadPatienceMs = 20000;

    KeyringAssembly(SettingsStore& store, const ErrorLog& errorLog);

    // Runs the event loop until the secrets are in the record, the keyring failed, or ReadPatienceMs passed.
    // Returns at once when the setting is off.
    void waitForSecrets();

    // What to do when the secrets arrive after the start went on without them, e.g. log in again.
    void onLateSecrets(std::function<void()> action);

    // The configuration's switch: moves the secrets into the keyring or back into the file; done, when given,
    // learns where they are afterwards.
    void setEnabled(bool on, std::function<void(bool keyringHoldsSecrets)> done = {});

private:
    void report(const QString& message) const;

    const ErrorLog& m_errorLog;
    QtKeychainVault m_vault;
    SecretKeyring m_keyring;
};
