#pragma once

#include "support/ProcessLine.h"

#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A session bus of the test's own: dbus-daemon started on a socket in a temporary folder, open to every client
// of this user, and stopped with the object. isRunning() is false when dbus-daemon is not installed.
class PrivateSessionBus final {
public:
    static constexpr int PatienceMs = 10000;

    PrivateSessionBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty() || !m_folder.isValid()) {
            return;
        }
        const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        const QByteArray text = "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                "<busconfig><type>session</type><listen>unix:path=" +
                                m_folder.filePath(QStringLiteral("bus")).toUtf8() +
                                "</listen><policy context=\"default\"><allow send_destination=\"*\" "
                                "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                "</busconfig>\n";
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            return;
        }
        file.close();
        m_daemon.start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                QStringLiteral("--print-address")});
        if (!m_daemon.waitForStarted(PatienceMs) || !waitForProcessLine(m_daemon, PatienceMs)) {
            return;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }

    ~PrivateSessionBus()
    {
        for (const QString& name : std::as_const(m_connections)) {
            QDBusConnection::disconnectFromBus(name);
        }
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(PatienceMs)) {
            m_daemon.kill();
            m_daemon.waitForFinished(PatienceMs);
        }
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    const QString& address() const { return m_address; }

    // A connection of this process to the bus; closed with the bus. The name is made unique to this bus, as a
    // connection closed under a name lives on while a copy of it is held.
    QDBusConnection connect(const QString& name)
    {
        m_connections.append(name + u' ' + m_address);
        return QDBusConnection::connectToBus(m_address, m_connections.last());
    }

private:
    QTemporaryDir m_folder{QStringLiteral("/tmp/tvbusXXXXXX")};
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
};
