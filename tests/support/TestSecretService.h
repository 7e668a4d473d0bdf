#pragma once

#include "support/PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A Secret Service of the test's own: GNOME Keyring started on a private session bus, with its keyrings in a
// temporary home and its login keyring created and unlocked with a throw-away password, stopped with the object.
// isRunning() is false (and problem() says why) where dbus-daemon or gnome-keyring-daemon is missing or does not
// come up.
class TestSecretService final {
public:
    explicit TestSecretService(PrivateSessionBus& bus)
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
        if (!bus.isRunning()) {
            m_problem = QStringLiteral("dbus-daemon is not installed");
            return;
        }
        if (daemon.isEmpty()) {
            m_problem = QStringLiteral("gnome-keyring-daemon is not installed (Debian package gnome-keyring)");
            return;
        }
        if (!m_home.isValid()) {
            m_problem = QStringLiteral("no temporary folder");
            return;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        m_daemon.setProcessEnvironment(environment);
        m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_daemon.start(daemon, {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                                QStringLiteral("--components=secrets")});
        if (!m_daemon.waitForStarted(PrivateSessionBus::PatienceMs)) {
            m_problem = QStringLiteral("gnome-keyring-daemon did not start");
            return;
        }
        m_daemon.write("test-keyring-password");
        m_daemon.closeWriteChannel();
        QDBusConnection connection = bus.connect(QStringLiteral("secret-service-watch"));
        const bool registered = QTest::qWaitFor(
            [&connection] {
                return connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets")).value();
            },
            PrivateSessionBus::PatienceMs);
        if (!registered) {
            m_problem = QStringLiteral("gnome-keyring-daemon did not offer org.freedesktop.secrets");
        }
    }

    ~TestSecretService()
    {
        if (m_daemon.state() == QProcess::NotRunning) {
            return;
        }
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(PrivateSessionBus::PatienceMs)) {
            m_daemon.kill();
            m_daemon.waitForFinished(PrivateSessionBus::PatienceMs);
        }
    }
    TestSecretService(const TestSecretService&) = delete;
    TestSecretService& operator=(const TestSecretService&) = delete;

    bool isRunning() const { return m_problem.isEmpty(); }
    const QString& problem() const { return m_problem; }
    // The folder that holds the keyring files, to show that a secret is stored encrypted, not in clear.
    QString keyringFolder() const { return m_home.filePath(QStringLiteral("data/keyrings")); }

private:
    QTemporaryDir m_home{QStringLiteral("/tmp/tvkeyXXXXXX")};
    QProcess m_daemon;
    QString m_problem;
};
