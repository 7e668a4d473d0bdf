#include "pbxsim/DiscoveryResponder.h"

#include "pbxsim/TrafficLog.h"

#include <QNetworkDatagram>

namespace pbxsim {

DiscoveryResponder::DiscoveryResponder(const TrafficLog& log, QObject* parent)
    : QObject(parent)
    , m_log(log)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &DiscoveryResponder::readDatagrams);
}

bool DiscoveryResponder::start(const QHostAddress& address, quint16 port, const QString& announcedAddress,
                               quint16 tcpPort, QString* error)
{
    m_answer = answer(announcedAddress, tcpPort);
    if (m_socket.bind(address, port, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        return true;
    }
    *error = QStringLiteral("cannot bind the discovery socket to %1:%2: %3 (--no-discovery turns it off)")
                 .arg(address.toString())
                 .arg(port)
                 .arg(m_socket.errorString());
    return false;
}

QByteArray DiscoveryResponder::answer(const QString& announcedAddress, quint16 tcpPort)
{
    return QByteArrayLiteral("USR 01 PHONE ") + announcedAddress.toLatin1() + ':' + QByteArray::number(tcpPort) +
           QByteArrayLiteral("\r\n");
}

void DiscoveryResponder::readDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(512);
        const QString sender =
            datagram.senderAddress().toString() + QLatin1Char(':') + QString::number(datagram.senderPort());
        const QByteArray request = datagram.data().trimmed();
        if (request != "WHO PHONE") {
            m_log.detail(QStringLiteral("udp %1 ignored: %2").arg(sender, QString::fromLatin1(request.toHex(' '))));
            continue;
        }
        m_log.detail(QStringLiteral("udp %1 <- WHO PHONE").arg(sender));
        m_socket.writeDatagram(m_answer, datagram.senderAddress(), quint16(datagram.senderPort()));
        m_log.detail(QStringLiteral("udp %1 -> %2").arg(sender, QString::fromLatin1(m_answer.trimmed())));
    }
}

} // namespace pbxsim
