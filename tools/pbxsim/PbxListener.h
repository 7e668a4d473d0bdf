#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

namespace pbxsim {

class CommandHandler;
class SessionRegistry;
class TrafficLog;
struct FaultModes;

// The TCP server of the protocol: opens a session for each accepted client and registers it, or, with the full
// fault on, closes the connection right after accepting it.
class PbxListener final : public QObject {
    Q_OBJECT

public:
    PbxListener(CommandHandler& handler, SessionRegistry& registry, const FaultModes& faults, const TrafficLog& log,
                QObject* parent = nullptr);

    bool listen(const QHostAddress& address, quint16 port, QString* error);
    QHostAddress address() const { return m_server.serverAddress(); }
    quint16 port() const { return m_server.serverPort(); }

private:
    void acceptConnections();

    QTcpServer m_server;
    CommandHandler& m_handler;
    SessionRegistry& m_registry;
    const FaultModes& m_faults;
    const TrafficLog& m_log;
    int m_nextId = 1;
};

} // namespace pbxsim
