#include "pbxsim/PbxListener.h"

#include "pbxsim/FaultModes.h"
#include "pbxsim/PbxSession.h"
#include "pbxsim/SessionRegistry.h"
#include "pbxsim/TrafficLog.h"

#include <QTcpSocket>

namespace pbxsim {

PbxListener::PbxListener(CommandHandler& handler, SessionRegistry& registry, const FaultModes& faults,
                         const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_handler(handler)
    , m_registry(registry)
    , m_faults(faults)
    , m_log(log)
{
    connect(&m_server, &QTcpServer::newConnection, this, &PbxListener::acceptConnections);
}

bool PbxListener::listen(const QHostAddress& address, quint16 port, QString* error)
{
    if (m_server.listen(address, port)) {
        return true;
    }
    *error = QStringLiteral("cannot listen on %1:%2: %3").arg(address.toString()).arg(port).arg(m_server.errorString());
    return false;
}

void PbxListener::acceptConnections()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        const int id = m_nextId++;
        const QString peer = socket->peerAddress().toString() + QLatin1Char(':') + QString::number(socket->peerPort());
        if (m_faults.full) {
            m_log.detail(QStringLiteral("#%1 from %2 closed at once (full)").arg(id).arg(peer));
            socket->close();
            socket->deleteLater();
            continue;
        }
        m_log.detail(QStringLiteral("#%1 connected from %2").arg(id).arg(peer));
        m_registry.add(new PbxSession(socket, id, m_handler, m_faults, m_log, this));
    }
}

} // namespace pbxsim
