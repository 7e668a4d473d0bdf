#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

namespace pbxsim {

class TrafficLog;

// Answers the client's server discovery: a datagram "WHO PHONE\r\n" gets "USR 01 PHONE address:port\r\n" back to
// its sender ("USR", four characters the client does not read, then "PHONE "), naming the TCP address and port
// clients should connect to.
//
// The socket is bound with SO_REUSEADDR, so several stand-ins can share one address and port. On Linux a datagram
// sent to the loopback broadcast address 127.255.255.255 reaches sockets bound to 127.255.255.255 (or to 0.0.0.0),
// every one of them when they share the port, but not sockets bound to 127.0.0.1 or another single loopback
// address; those only receive datagrams sent to that address.
class DiscoveryResponder final : public QObject {
    Q_OBJECT

public:
    explicit DiscoveryResponder(const TrafficLog& log, QObject* parent = nullptr);

    // announcedAddress and tcpPort go into every answer.
    bool start(const QHostAddress& address, quint16 port, const QString& announcedAddress, quint16 tcpPort,
               QString* error);
    quint16 port() const { return m_socket.localPort(); }

    static QByteArray answer(const QString& announcedAddress, quint16 tcpPort);

private:
    void readDatagrams();

    QUdpSocket m_socket;
    const TrafficLog& m_log;
    QByteArray m_answer;
};

} // namespace pbxsim
