#pragma once

#include "support/ProcessLine.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// An X server of the test's own: Xvfb on a display number it chooses itself, no TCP, stopped with the object.
// isRunning() is false when Xvfb is not installed or did not start; the test then skips.
class VirtualDisplay final {
public:
    static constexpr int PatienceMs = 10000;

    VirtualDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) {
            return;
        }
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("640x480x24")});
        if (m_server.waitForStarted(PatienceMs) && waitForProcessLine(m_server, PatienceMs)) {
            m_name = u':' + QString::fromLatin1(m_server.readLine()).trimmed();
        }
    }

    ~VirtualDisplay()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(PatienceMs)) {
            m_server.kill();
            m_server.waitForFinished(PatienceMs);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool isRunning() const { return m_name.size() > 1; }
    // ":N", for DISPLAY.
    const QString& name() const { return m_name; }

    // Runs xdotool on this display; false when it is missing or failed.
    bool xdotool(const QStringList& arguments) const
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (program.isEmpty()) {
            return false;
        }
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_name);
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        return process.waitForFinished(PatienceMs) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

private:
    QProcess m_server;
    QString m_name;
};
