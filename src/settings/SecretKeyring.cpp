#include "settings/SecretKeyring.h"

#include "settings/Lang.h"
#include "settings/SettingsError.h"
#include "settings/SettingsLog.h"
#include "settings/SettingsSecrets.h"

#include <algorithm>

namespace {

const QString ExtensionPin = QStringLiteral("Siec/Klucz");

QString unreachable(const QString& problem, const char* consequence)
{
    return Lang::_("The desktop's keyring cannot be reached: %1").arg(problem) + QLatin1Char('\n') +
           Lang::_(consequence);
}

} // namespace

SecretKeyring::SecretKeyring(SettingsStore& store, SecretVault& vault, std::function<void(const QString&)> report,
                             QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_vault(vault)
    , m_report(std::move(report))
{
    m_store.setSavedHook([this] { onSaved(); });
}

SecretKeyring::~SecretKeyring()
{
    *m_alive = false;
    m_store.setSavedHook({});
}

SecretVault::Reply SecretKeyring::once(std::function<void(const SecretVault::Answer&)> handler)
{
    auto answered = std::make_shared<bool>(false);
    return [alive = std::weak_ptr<bool>(m_alive), answered,
            handler = std::move(handler)](const SecretVault::Answer& answer) {
        const std::shared_ptr<bool> living = alive.lock();
        if (*answered || !living || !*living) {
            return;
        }
        *answered = true;
        handler(answer);
    };
}

void SecretKeyring::load()
{
    m_settled = false;
    if (!record().Ogolne.Keyring) {
        m_state = State::Off;
        warnOfBookPasswordsInFile();
        settle();
        return;
    }
    m_state = State::Reading;
    const int token = ++m_readToken;
    m_vault.read(once([this, token](const SecretVault::Answer& answer) {
        if (token == m_readToken && m_state == State::Reading) {
            onRead(answer);
        }
    }));
}

// Only the file can hold a book password in clear; from the keyring it is in the record alone.
void SecretKeyring::warnOfBookPasswordsInFile() const
{
    const QStringList names = SettingsSecrets::collect(m_store.record()).keys();
    if (std::any_of(names.begin(), names.end(),
                    [](const QString& name) { return name.startsWith(QStringLiteral("Ksiazka/")); })) {
        qCWarning(lcSettings) << "A phone book location in the settings file holds a password in clear; switch the "
                                 "keyring option on, or keep the password in ~/.pgpass or a service file";
    }
}

void SecretKeyring::giveUp()
{
    if (m_state != State::Reading || m_settled) {
        return;
    }
    m_report(Lang::_("The desktop's keyring has not answered; the client starts without the PINs and passwords "
                     "kept there."));
    settle();
}

void SecretKeyring::onRead(const SecretVault::Answer& answer)
{
    QStringList applied;
    switch (answer.outcome) {
    case SecretVault::Outcome::Done:
        if (const std::optional<SettingsSecrets::Secrets> secrets = SettingsSecrets::decode(answer.data)) {
            applied = SettingsSecrets::fillEmpty(*secrets, record());
            if (applied.contains(ExtensionPin) && record().WorkingPin.isEmpty()) {
                record().WorkingPin = record().Siec.Klucz;
            }
            qCInfo(lcSettings).noquote() << "Secrets read from the desktop's keyring:"
                                         << (applied.isEmpty() ? QStringLiteral("none") : applied.join(u' '));
            m_state = State::Ready;
        } else {
            m_report(Lang::_("The desktop's keyring holds the client's secrets in a form this version cannot read; "
                             "they are left empty."));
            m_state = State::Unavailable;
        }
        break;
    case SecretVault::Outcome::NotFound:
        qCInfo(lcSettings) << "The desktop's keyring holds no secrets of this client";
        m_state = State::Ready;
        break;
    case SecretVault::Outcome::Unavailable:
        m_report(unreachable(answer.problem, QT_TR_NOOP("The PINs and passwords kept there are not available until "
                                                        "the client is started again.")));
        m_state = State::Unavailable;
        break;
    }
    if (!m_settled) {
        settle();
    } else if (!applied.isEmpty()) {
        emit lateSecrets();
    }
}

void SecretKeyring::onSaved()
{
    if (!record().Ogolne.Keyring || m_switching) {
        return;
    }
    if (m_state != State::Ready) {
        // Writing now would replace the secrets kept there by the empty ones this session has.
        qCWarning(lcSettings) << "Settings saved; the desktop's keyring is left as it is, as it has not given its "
                                 "secrets in this session";
        return;
    }
    m_vault.write(SettingsSecrets::encode(SettingsSecrets::collect(record())),
                  once([this](const SecretVault::Answer& answer) {
                      if (answer.outcome != SecretVault::Outcome::Done && record().Ogolne.Keyring) {
                          fallBackToFile(answer.problem);
                      }
                  }));
}

void SecretKeyring::setEnabled(bool on, std::function<void(bool)> done)
{
    if (done) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(this, &SecretKeyring::switched, this,
                              [connection, done = std::move(done)](bool keyringHoldsSecrets) {
                                  QObject::disconnect(*connection);
                                  done(keyringHoldsSecrets);
                              });
    }
    if (m_switching) {
        return; // the move under way tells its outcome
    }
    if (on == record().Ogolne.Keyring) {
        emit switched(on);
        return;
    }
    if (on) {
        m_switching = true;
        const QByteArray data = SettingsSecrets::encode(SettingsSecrets::collect(record()));
        m_vault.write(data,
                      once([this, data](const SecretVault::Answer& answer) { onSwitchedOnWritten(answer, data); }));
        return;
    }
    if (m_state != State::Ready) {
        m_report(Lang::_("The PINs and passwords cannot be moved back to the settings file, as the desktop's "
                         "keyring has not given them in this session."));
        emit switched(true);
        return;
    }
    record().Ogolne.Keyring = false;
    if (!saveFile()) {
        record().Ogolne.Keyring = true;
        emit switched(true);
        return;
    }
    m_state = State::Off;
    if (record().Loaded) {
        m_vault.remove(once([](const SecretVault::Answer& answer) {
            if (answer.outcome == SecretVault::Outcome::Unavailable) {
                qCWarning(lcSettings).noquote()
                    << "The secrets are back in the settings file, but the keyring kept its copy:" << answer.problem;
            }
        }));
    }
    qCInfo(lcSettings) << "Secrets moved from the desktop's keyring to the settings file";
    emit switched(false);
}

void SecretKeyring::onSwitchedOnWritten(const SecretVault::Answer& answer, const QByteArray& written)
{
    m_switching = false;
    if (answer.outcome != SecretVault::Outcome::Done) {
        m_report(unreachable(answer.problem, QT_TR_NOOP("The PINs and passwords stay in the settings file.")));
        emit switched(false);
        return;
    }
    record().Ogolne.Keyring = true;
    m_state = State::Ready;
    m_switching = true;
    const bool saved = saveFile();
    m_switching = false;
    if (!saved) {
        record().Ogolne.Keyring = false;
        m_state = State::Off;
        m_vault.remove(once([](const SecretVault::Answer&) {}));
        emit switched(false);
        return;
    }
    qCInfo(lcSettings) << "Secrets moved from the settings file to the desktop's keyring";
    if (SettingsSecrets::encode(SettingsSecrets::collect(record())) != written) {
        onSaved(); // a secret changed while the keyring was being written
    }
    emit switched(true);
}

void SecretKeyring::fallBackToFile(const QString& problem)
{
    m_report(unreachable(problem, QT_TR_NOOP("The PINs and passwords are kept in the settings file again.")));
    record().Ogolne.Keyring = false;
    m_state = State::Off;
    saveFile();
    emit switched(false);
}

bool SecretKeyring::saveFile()
{
    try {
        m_store.save();
        return true;
    } catch (const SettingsError& error) {
        m_report(error.message());
        return false;
    }
}

void SecretKeyring::settle()
{
    m_settled = true;
    emit settled();
}
