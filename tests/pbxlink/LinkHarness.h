#pragma once

#include "LinkFakes.h"
#include "pbxlink/lifecycle/LinkLifecycle.h"
#include "pbxlink/protocol/LineDispatcher.h"
#include "pbxlink/protocol/LineFramer.h"
#include "pbxlink/protocol/NetLog.h"
#include "pbxlink/protocol/ProtocolPeer.h"
#include "settings/CodePage.h"
#include "settings/SettingsRecord.h"
#include "support/ManualClock.h"
#include "support/ManualTimers.h"

#include <QQueue>
#include <QTemporaryDir>

// A socket that records what the link writes and lets the test decide whether writing works.
class FakeLinkSocket final : public ProtocolPeer, public LinkSocket {
public:
    explicit FakeLinkSocket(SettingsRecord& settings, const NetLog& log)
        : m_settings(settings)
        , m_log(log)
    {
    }

    // ProtocolPeer
    QString extension() const override { return m_settings.Siec.TelNr; }
    bool isOpen() const override { return connected; }
    bool writeBytes(const QByteArray& bytes) override
    {
        if (!writesSucceed) {
            return false;
        }
        written.append(bytes);
        return true;
    }
    void queueIncomingLine(const QString& line) override { incoming.enqueue(line); }
    void console(const QString& line, ConsoleColour colour) override { m_log.write(line, colour); }
    void replyReceived(const PbxReply& reply, const QString& command) override
    {
        if (onReply) {
            onReply(reply, command);
        }
    }

    // LinkSocket
    bool open(const QString& host, int port) override
    {
        openedHost = host;
        openedPort = port;
        ++opens;
        return !host.isEmpty();
    }
    void close() override
    {
        connected = false;
        ++closes;
    }
    QString remoteAddress() const override { return QStringLiteral("127.0.0.1"); }
    void clearIncoming() override { incoming.clear(); }

    // The commands written, without their CR LF NUL, in order.
    QStringList commands() const
    {
        QStringList result;
        for (const QByteArray& bytes : written) {
            result.append(CodePage::fromWindows1250(bytes.chopped(3)));
        }
        return result;
    }

    bool connected = false;
    bool writesSucceed = true;
    QList<QByteArray> written;
    QQueue<QString> incoming;
    QString openedHost;
    int openedPort = 0;
    int opens = 0;
    int closes = 0;
    std::function<void(const PbxReply&, const QString&)> onReply;

private:
    SettingsRecord& m_settings;
    const NetLog& m_log;
};

// The protocol and the lifecycle wired to recording ports, as the link wires them to real ones.
class LinkHarness {
public:
    LinkHarness()
        : log(LogFile(folder.filePath(QStringLiteral("log/net.log")), LogFile::Stamp::Time))
        , socket(settings, log)
        , dispatcher(socket)
        , lifecycle(LinkLifecycle::Collaborators{settings, [this] { ++saves; }, dispatcher, socket, timers, log,
                                                 notices, services, dialogs, clock})
    {
        settings.Siec.TelNr = QStringLiteral("21");
        settings.WorkingPin = QStringLiteral("1234");
        settings.Siec.ZapiszKlucz = true;
        settings.Siec.Szukaj = false;
        settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        log.setConsole(&console);
        dispatcher.setEventSink(&events);
        socket.onReply = [this](const PbxReply& reply, const QString& command) {
            lifecycle.onReply(reply, command);
        };
    }

    // Lines as the exchange sends them, then every line the link queued for itself.
    void receive(const QString& line)
    {
        dispatcher.dispatch(line);
        while (!socket.incoming.isEmpty()) {
            dispatcher.dispatch(socket.incoming.dequeue());
        }
    }

    // Connects and logs in with the given reply to the login.
    void connectAndLogIn(const QString& loginReply = QStringLiteral("aOK Tolmo 1.45 9"))
    {
        lifecycle.start();
        socket.connected = true;
        lifecycle.onSocketConnected();
        receive(loginReply);
    }

    QTemporaryDir folder;
    SettingsRecord settings;
    RecordingConsole console;
    NetLog log;
    FakeLinkSocket socket;
    LineDispatcher dispatcher;
    ManualTimers<LinkTimer> timers;
    LinkNotices notices;
    RecordingWindow window{notices};
    RecordingServices services;
    RecordingDialogs dialogs;
    RecordingEvents events;
    int saves = 0;
    ManualClock clock;
    LinkLifecycle lifecycle;
};
