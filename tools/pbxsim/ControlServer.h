#pragma once

#include <QObject>
#include <QTcpServer>

namespace pbxsim {

class ControlInterpreter;
class TrafficLog;

// The control socket: a TCP port on 127.0.0.1 that takes control commands from tests and scripts.
class ControlServer final : public QObject {
    Q_OBJECT

public:
    ControlServer(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent = nullptr);

    bool listen(quint16 port, QString* error);
    quint16 port() const { return m_server.serverPort(); }

signals:
    void quitRequested();

private:
    void acceptConnections();

    QTcpServer m_server;
    ControlInterpreter& m_interpreter;
    const TrafficLog& m_log;
};

} // namespace pbxsim
