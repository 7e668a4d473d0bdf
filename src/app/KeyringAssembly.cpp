#include "app/KeyringAssembly.h"

#include "app/ErrorLog.h"
#include "settings/SettingsStore.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

KeyringAssembly::KeyringAssembly(SettingsStore& store, const ErrorLog& errorLog)
    : m_errorLog(errorLog)
    , m_vault(QtKeychainVault::forSettings(store.paths()))
    , m_keyring(store, m_vault, [this](const QString& message) { report(message); })
{
}

void KeyringAssembly::waitForSecrets()
{
    m_keyring.load();
    if (m_keyring.isSettled()) {
        return;
    }
    QEventLoop loop;
    QTimer patience;
    patience.setSingleShot(true);
    QObject::connect(&m_keyring, &SecretKeyring::settled, &loop, &QEventLoop::quit);
    QObject::connect(&patience, &QTimer::timeout, &m_keyring, &SecretKeyring::giveUp);
    patience.start(ReadPatienceMs);
    loop.exec();
}

void KeyringAssembly::onLateSecrets(std::function<void()> action)
{
    QObject::connect(&m_keyring, &SecretKeyring::lateSecrets, &m_keyring, std::move(action));
}

void KeyringAssembly::setEnabled(bool on, std::function<void(bool)> done)
{
    m_keyring.setEnabled(on, std::move(done));
}

void KeyringAssembly::report(const QString& message) const
{
    m_errorLog.record(message);
    qWarning().noquote() << message;
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}
