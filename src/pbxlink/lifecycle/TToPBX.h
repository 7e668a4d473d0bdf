#pragma once

#include "pbxlink/calls/CallControl.h"
#include "pbxlink/discovery/DiscoveryAnswer.h"
#include "pbxlink/lifecycle/LinkLifecycle.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/LinkPartners.h"
#include "pbxlink/lifecycle/LinkPorts.h"
#include "pbxlink/lifecycle/SynchronousWaits.h"
#include "pbxlink/protocol/LineDispatcher.h"
#include "pbxlink/protocol/LineFramer.h"
#include "pbxlink/protocol/NetLog.h"
#include "pbxlink/protocol/ProtocolPeer.h"
#include "settings/Clock.h"

#include <QObject>
#include <QQueue>
#include <QTcpSocket>
#include <QTimer>
#include <array>
#include <memory>

class ServerDiscovery;

// The PBX link: the TCP socket to the exchange's computer-telephony server, the link's timers and the queue of
// received lines, driving the line protocol and the connection lifecycle. Received lines are queued and processed
// one per posted event, so a message box opened while a line is handled cannot reorder or re-enter the lines.
class TToPBX final : public QObject, private ProtocolPeer, private LinkSocket {
    Q_OBJECT

public:
    TToPBX(SettingsRecord& settings, std::function<void()> saveSettings, LogFile netLog, LinkPartners partners,
           Clock& clock = Clock::system(), QObject* parent = nullptr);
    ~TToPBX() override;

    // What the link tells of the connection and the calls, for the telephone window.
    const LinkNotices& notices() const { return m_notices; }
    LinkLifecycle& lifecycle() { return m_lifecycle; }
    // The commands sent and not answered yet, and those held back.
    const CommandQueues& queues() const { return m_dispatcher.queues(); }
    // The network console that shows the lines as they are logged to net.log.
    void setConsole(NetworkConsolePort* console) { m_log.setConsole(console); }
    const QString& logPath() const { return m_log.path(); }
    // What the telephone window and the service dialogs work with: the services, the calls' state, the call timer.
    TelephoneServices& services() { return m_calls.services(); }
    const CallState& callState() const { return m_calls.state(); }
    CallTimer& callTimer() { return m_calls.callTimer(); }
    // Waits for the exchange's lines while the event loop runs; they end when the link is destroyed.
    std::shared_ptr<SynchronousWaits> waits() const { return m_waits; }

    void start() { m_lifecycle.start(); }
    void disconnectFromServer() { m_lifecycle.disconnect(); }
    // After the computer wakes up the old connection is gone: drop it and connect afresh.
    void restart();

    bool sendRaw(const QString& command) { return m_dispatcher.sendRaw(command); }
    bool sendQueued(const QString& command) { return m_dispatcher.sendQueued(command); }

    // The exchange's recording announcements and the end of each call go to these hooks.
    void setRecordingHooks(RecordingHooks hooks) { m_calls.tracker().setRecordingHooks(std::move(hooks)); }

    // Searching for the server on the local network; without it the link always connects to the set address.
    void setServerDiscovery(ServerDiscovery* discovery);
    // The user's choice among several servers found.
    void chooseServer(const DiscoveredServer& server, bool fixedServer);

    bool isConnected() const;
    int pendingLines() const { return static_cast<int>(m_incoming.size()); }
    QTimer& timer(LinkTimer which) { return m_timers.timer(which); }

signals:
    // Several servers answered; the user chooses one (chooseServer).
    void serverChoiceNeeded(const QList<DiscoveredServer>& servers);

protected:
    bool event(QEvent* event) override;

private:
    // ProtocolPeer
    QString extension() const override;
    bool isOpen() const override;
    bool writeBytes(const QByteArray& bytes) override;
    void queueIncomingLine(const QString& line) override;
    void console(const QString& line, ConsoleColour colour) override;
    void replyReceived(const PbxReply& reply, const QString& command) override;

    // LinkSocket
    bool open(const QString& host, int port) override;
    void close() override;
    QString remoteAddress() const override;
    void clearIncoming() override;

    void readSocket();
    void onSocketError(QAbstractSocket::SocketError error);
    void onSocketDisconnected();
    void postLineEvent();
    void processOneLine();

    SettingsRecord& m_settings;
    NetLog m_log;
    LineDispatcher m_dispatcher;
    QTcpSocket m_socket;
    QtNamedTimers<LinkTimer, LinkTimerCount> m_timers;
    LinkNotices m_notices;
    LinkLifecycle m_lifecycle;
    std::shared_ptr<SynchronousWaits> m_waits = std::make_shared<SynchronousWaits>();
    CallControl m_calls;
    LineFramer m_framer;
    QQueue<QString> m_incoming;
    int m_processing = 0;
    bool m_closingOnPurpose = false;
    bool m_destroying = false;
    std::unique_ptr<ServerSearch> m_search;
};
