#include "pbxsim/ControlServer.h"

#include "pbxsim/ControlConnection.h"
#include "pbxsim/TrafficLog.h"

#include <QTcpSocket>

namespace pbxsim {

ControlServer::ControlServer(ControlInterpreter& interpreter, const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_interpreter(interpreter)
    , m_log(log)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ControlServer::acceptConnections);
}

bool ControlServer::listen(quint16 port, QString* error)
{
    if (m_server.listen(QHostAddress::LocalHost, port)) {
        return true;
    }
    *error = QStringLiteral("cannot open the control port 127.0.0.1:%1: %2").arg(port).arg(m_server.errorString());
    return false;
}

void ControlServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        m_log.detail(QStringLiteral("control connection from port %1").arg(socket->peerPort()));
        auto* connection = new ControlConnection(socket, m_interpreter, this);
        connect(connection, &ControlConnection::quitRequested, this, &ControlServer::quitRequested);
    }
}

} // namespace pbxsim
