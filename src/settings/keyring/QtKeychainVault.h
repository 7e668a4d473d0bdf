#pragma once

#include "settings/SecretVault.h"
#include "settings/SettingsPaths.h"

#include <QString>

// The program's one entry in the desktop's keyring (the Secret Service: GNOME Keyring, KWallet, KeePassXC...),
// reached through QtKeychain. Never falls back to a plain file: a desktop without a keyring answers Unavailable.
class QtKeychainVault final : public SecretVault {
public:
    // service names the program in the keyring; key tells this installation's entry from another's.
    QtKeychainVault(QString service, QString key);

    // The entry of the installation whose settings live at paths: the program's title, and the settings file,
    // which tells two installations apart.
    static QtKeychainVault forSettings(const SettingsPaths& paths);

    void read(Reply reply) override;
    void write(const QByteArray& data, Reply reply) override;
    void remove(Reply reply) override;

private:
    QString m_service;
    QString m_key;
};
