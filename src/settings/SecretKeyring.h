#pragma once

#include "settings/SecretVault.h"
#include "settings/SettingsStore.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// Keeps the secrets of the settings record (see SettingsSecrets) in the desktop's keyring instead of the settings
// file while Ogolne.Keyring is set: reads them at start, writes them after every save, and moves them between the
// keyring and the file when the setting is switched. Where the keyring does not answer, the user is told and the
// file keeps what it holds. No secret is ever logged; only their names are.
//
// The keyring answers later, maybe much later: load() starts the read and settled() tells once that the record is
// as complete as it is going to be for the start (read, failed, or given up by giveUp()). An answer after giveUp()
// still fills the secrets that are empty and is told by lateSecrets(); a second answer to one request is ignored.
class SecretKeyring final : public QObject {
    Q_OBJECT

public:
    enum class State {
        Off,         // the file holds the secrets
        Reading,     // the keyring has been asked and has not answered
        Ready,       // the record holds what the keyring had; saves write to it
        Unavailable, // the keyring failed to answer; the record lacks its secrets and saves leave it alone
    };

    // report tells the user (and error.log) of a failure, in a translated sentence.
    SecretKeyring(SettingsStore& store, SecretVault& vault, std::function<void(const QString&)> report,
                  QObject* parent = nullptr);
    ~SecretKeyring() override;

    State state() const { return m_state; }
    bool isSettled() const { return m_settled; }

    void load();
    void giveUp();

    // Moves the secrets into the keyring (on) or back into the file (off); switched() and done, when given, tell
    // which place holds them afterwards. The setting only changes when the move succeeded.
    void setEnabled(bool on, std::function<void(bool keyringHoldsSecrets)> done = {});

signals:
    void settled();
    void lateSecrets();
    void switched(bool keyringHoldsSecrets);

private:
    SecretVault::Reply once(std::function<void(const SecretVault::Answer&)> handler);
    void onRead(const SecretVault::Answer& answer);
    void onSaved();
    void onSwitchedOnWritten(const SecretVault::Answer& answer, const QByteArray& written);
    void fallBackToFile(const QString& problem);
    bool saveFile();
    void settle();
    void warnOfBookPasswordsInFile() const;
    SettingsRecord& record() { return m_store.record(); }

    SettingsStore& m_store;
    SecretVault& m_vault;
    std::function<void(const QString&)> m_report;
    State m_state = State::Off;
    bool m_settled = false;
    bool m_switching = false;
    int m_readToken = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
