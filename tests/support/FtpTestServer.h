#pragma once

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTcpServer>
#include <QTemporaryDir>

// The FTP server of Debian's python3-pyftpdlib on a free loopback port, serving a folder of its own to the user
// "wkqz" (password "wkqz"). Stopped when the object goes.
class FtpTestServer final {
public:
    FtpTestServer()
    {
        const QString script =
            qEnvironmentVariable("TERVO_SOURCE_DIR") + QStringLiteral("/tests/support/ftp_server.py");
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"), {script, m_folder.path()});
        if (!m_process.waitForStarted(5000) || !m_process.waitForReadyRead(10000)) {
            m_error = QStringLiteral("the FTP server did not start (python3-pyftpdlib installed?)");
            return;
        }
        m_port = m_process.readLine().trimmed().toInt();
        if (m_port <= 0) {
            m_error = QStringLiteral("the FTP server gave no port");
        }
    }
    ~FtpTestServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    int port() const { return m_port; }
    QString folder() const { return m_folder.path(); }

    // Puts a file on the server (relative path, folders created).
    bool put(const QString& relativePath, const QByteArray& bytes) const
    {
        return writeFile(QDir(m_folder.path()).filePath(relativePath), bytes);
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

// A loopback server that accepts connections and never says a word: an FTP server that does not answer.
class SilentServer final {
public:
    explicit SilentServer(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0)
    {
        m_server.listen(address, port);
    }
    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }

private:
    QTcpServer m_server;
};
