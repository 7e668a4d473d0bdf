#pragma once

#include "books/PhoneBookFixture.h"
#include "settings/SettingsPaths.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// How long one step of a conversation between the client and the stand-in may take.
inline constexpr int StepPatienceMs = 10000;

// The built program of that name: $TERVO_BINARY_DIR/bin/NAME, as a canonical path.
inline QString builtProgram(const QString& name)
{
    return QFileInfo(qEnvironmentVariable("TERVO_BINARY_DIR") + QStringLiteral("/bin/") + name).canonicalFilePath();
}

// Ports on 127.0.0.1 that were free a moment ago; all are taken together so that they differ.
inline QList<quint16> freeLoopbackPorts(int count)
{
    QList<QTcpServer*> servers;
    QList<quint16> ports;
    for (int i = 0; i < count; ++i) {
        auto* server = new QTcpServer;
        if (server->listen(QHostAddress::LocalHost, 0)) {
            ports.append(server->serverPort());
        }
        servers.append(server);
    }
    qDeleteAll(servers);
    return ports;
}

// A program started for a test. Its standard output and error are read into one list of complete lines as they
// arrive, so that a test can wait for a line and look at the order of lines.
class ObservedProcess final {
public:
    static constexpr int TerminationPatienceMs = 5000;

    ObservedProcess()
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&m_process, &QProcess::readyRead, &m_process, [this] { readOutput(); });
    }
    ~ObservedProcess() { stop(); }
    ObservedProcess(const ObservedProcess&) = delete;
    ObservedProcess& operator=(const ObservedProcess&) = delete;

    bool start(const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(environment);
        m_process.start(program, arguments);
        return m_process.waitForStarted(StepPatienceMs);
    }

    const QStringList& lines() const { return m_lines; }
    qsizetype lineCount() const { return m_lines.size(); }

    // The index of the first line at or after from that ends with ending, or -1.
    qsizetype find(const QString& ending, qsizetype from = 0) const
    {
        for (qsizetype i = qMax<qsizetype>(from, 0); i < m_lines.size(); ++i) {
            if (m_lines.at(i).endsWith(ending)) {
                return i;
            }
        }
        return -1;
    }

    // Waits for such a line; its index, or -1 when none came in time.
    qsizetype waitFor(const QString& ending, qsizetype from = 0, int timeoutMs = StepPatienceMs)
    {
        return QTest::qWaitFor([&] { return find(ending, from) >= 0; }, timeoutMs) ? find(ending, from) : -1;
    }

    // True when the program ended by itself within the time, with exit code 0.
    bool waitForCleanExit(int timeoutMs)
    {
        const bool ended = QTest::qWaitFor([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
        readOutput();
        return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    // Asks the program to end (SIGTERM) and kills it when it has not ended in time. True when it ended as asked,
    // with exit code 0.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning) {
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        }
        m_process.terminate();
        if (waitForCleanExit(TerminationPatienceMs)) {
            return true;
        }
        m_process.kill();
        m_process.waitForFinished(TerminationPatienceMs);
        return false;
    }

private:
    void readOutput()
    {
        m_pending += QString::fromUtf8(m_process.readAll());
        qsizetype end = 0;
        while ((end = m_pending.indexOf(u'\n')) >= 0) {
            m_lines.append(m_pending.left(end));
            m_pending.remove(0, end + 1);
        }
    }

    QProcess m_process;
    QStringList m_lines;
    QString m_pending;
};

// The PBX stand-in on loopback, for extension 21 with PIN 1234, driven through its control port.
class StandIn final {
public:
    bool start()
    {
        const QList<quint16> ports = freeLoopbackPorts(2);
        if (ports.size() != 2) {
            return false;
        }
        m_port = ports.at(0);
        const QStringList arguments{
            QStringLiteral("--listen"),       QStringLiteral("127.0.0.1"),      QStringLiteral("--port"),
            QString::number(m_port),          QStringLiteral("--control-port"), QString::number(ports.at(1)),
            QStringLiteral("--no-discovery"), QStringLiteral("--extension"),    QStringLiteral("21:1234")};
        if (!m_process.start(builtProgram(QStringLiteral("tervo-pbxsim")), arguments) ||
            m_process.waitFor(QStringLiteral("control on 127.0.0.1:") + QString::number(ports.at(1))) < 0) {
            return false;
        }
        m_control.connectToHost(QHostAddress::LocalHost, ports.at(1));
        return m_control.waitForConnected(StepPatienceMs);
    }

    quint16 port() const { return m_port; }
    ObservedProcess& traffic() { return m_process; }

    // Sends one control line; the stand-in's answer ("ok ...", "error: ..."), empty when none came.
    QString command(const QString& line)
    {
        m_control.write(line.toUtf8() + '\n');
        const bool answered = QTest::qWaitFor([this] { return m_control.canReadLine(); }, StepPatienceMs);
        return answered ? QString::fromUtf8(m_control.readLine()).trimmed() : QString();
    }

    bool stop()
    {
        m_control.abort();
        return m_process.stop();
    }

private:
    ObservedProcess m_process;
    QTcpSocket m_control;
    quint16 m_port = 0;
};

// The user folders of one client installation in a temporary folder: the settings file where an earlier version
// left it (logging in as extension 21 to the stand-in), a private phone book, and the environment to start the
// client in, offscreen and printing what its window shows.
class ClientProfile final {
public:
    explicit ClientProfile(quint16 pbxPort)
        : m_runtime(QStringLiteral("/tmp/tvXXXXXX"))
        , m_paths(builtProgram(QStringLiteral("tervo")), UserFolders{folder("config"), folder("data"), folder("state")})
    {
        m_ready = m_home.isValid() && m_runtime.isValid() && writeSettings(pbxPort);
    }

    bool isReady() const { return m_ready; }
    const SettingsPaths& paths() const { return m_paths; }

    QString phoneBookFile() const { return m_paths.dataFolder() + QStringLiteral("PhoneBook/book.mdb"); }
    QString historyFile() const { return m_paths.dataFolder() + QStringLiteral("History/ConversationLog/history.mdb"); }
    QString errorLogFile() const { return m_paths.logFolder() + QStringLiteral("error.log"); }

    // Creates the private phone book with one contact; it is closed again before this returns.
    bool createPhoneBook(const QString& name, const QString& number) const
    {
        QDir().mkpath(QFileInfo(phoneBookFile()).path());
        const SqliteBookFile book(phoneBookFile(), QStringLiteral("profile-book"), true);
        return book.ready() && book.add(name, {number}) > 0;
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TERVO_PRINT_WINDOW"), QStringLiteral("1"));
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder("data"));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), folder("state"));
        // Short, so that the path of the client's local socket fits.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        // No session bus unless a test gives its own: a client under test never joins the user's desktop.
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:path=") + m_runtime.path() + QStringLiteral("/no-bus"));
        return environment;
    }

    // Adds sections to the settings file before the client starts.
    bool addSettings(const QByteArray& lines) const
    {
        QFile file(m_paths.sharedFolderSettingsFile());
        return file.open(QIODevice::Append) && file.write(lines) == lines.size();
    }

    // Starts the client in English with these further arguments.
    bool start(ObservedProcess& client, const QStringList& arguments = {}) const
    {
        return client.start(m_paths.executablePath(), QStringList{QStringLiteral("-l=en")} + arguments, environment());
    }

private:
    QString folder(const char* name) const { return m_home.filePath(QLatin1String(name)); }

    bool writeSettings(quint16 pbxPort) const
    {
        const QByteArray settings = "[Siec]\n"
                                    "Serwer=127.0.0.1\n"
                                    "Port=" +
                                    QByteArray::number(pbxPort) +
                                    "\n"
                                    "TelNr=21\n"
                                    "ZapiszKlucz=1\n"
                                    "Klucz=x5cJmYd2rRcBNHV6\n"
                                    "Szukaj=0\n"
                                    "OknoWysBl=1\n"
                                    "[Ogolne]\n"
                                    "Splash=0\n"
                                    "[Historia]\n"
                                    "Stracone=1\n";
        return writeFile(m_paths.sharedFolderSettingsFile(), settings);
    }

    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    SettingsPaths m_paths;
    bool m_ready = false;
};
