#include "pbxlink/discovery/ServerDiscovery.h"

#include "pbxlink/protocol/PbxLinkLog.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <algorithm>

namespace {

// The socket takes a random port of the dynamic range, so that several clients on one machine do not collide.
constexpr int FirstDynamicPort = 49152;
constexpr int DynamicPortCount = 16383;
constexpr int BindAttempts = 32;

constexpr char Question[] = "WHO PHONE\r\n";

} // namespace

ServerDiscovery::ServerDiscovery(AddressSource broadcastAddresses, Clock& clock, quint16 questionPort,
                                 std::chrono::milliseconds window, QObject* parent)
    : QObject(parent)
    , m_broadcastAddresses(std::move(broadcastAddresses))
    , m_clock(clock)
    , m_questionPort(questionPort)
    , m_socket(new QUdpSocket(this))
{
    m_window.setSingleShot(true);
    m_window.setInterval(window);
    connect(&m_window, &QTimer::timeout, this, &ServerDiscovery::closeWindow);
    connect(m_socket, &QUdpSocket::readyRead, this, &ServerDiscovery::readAnswers);
}

void ServerDiscovery::start()
{
    if (m_socket->state() != QAbstractSocket::BoundState && !bindSocket()) {
        emit openFailed();
        return;
    }
    m_windowClosed = false;
    m_servers.clear();
    if (!askAll()) {
        stop();
        emit searchFailed();
        return;
    }
    m_window.start();
    emit searchStarted();
}

void ServerDiscovery::stop()
{
    m_window.stop();
    m_socket->close();
}

bool ServerDiscovery::bindSocket()
{
    m_socket->close();
    for (int attempt = 0; attempt < BindAttempts; ++attempt) {
        const int offset = std::clamp(m_clock.random(DynamicPortCount), 0, DynamicPortCount - 1);
        const auto port = static_cast<quint16>(FirstDynamicPort + offset);
        if (m_socket->bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress)) {
            qCDebug(lcPbxLink) << "discovery socket bound to port" << port;
            return true;
        }
        qCDebug(lcPbxLink) << "cannot bind the discovery socket to port" << port << m_socket->errorString();
        if (m_socket->error() != QAbstractSocket::AddressInUseError) {
            break;
        }
    }
    qCWarning(lcPbxLink) << "cannot open the discovery socket:" << m_socket->errorString();
    return false;
}

// One network that cannot be reached does not keep the question from the others; the search fails only when it
// reached none.
bool ServerDiscovery::askAll()
{
    const QByteArray question = QByteArray::fromRawData(Question, sizeof(Question) - 1);
    const QList<QHostAddress> addresses = m_broadcastAddresses();
    qsizetype failures = 0;
    for (const QHostAddress& address : addresses) {
        if (m_socket->writeDatagram(question, address, m_questionPort) != question.size()) {
            qCWarning(lcPbxLink) << "cannot send the discovery question to" << address.toString()
                                 << m_socket->errorString();
            ++failures;
        }
    }
    return addresses.isEmpty() || failures < addresses.size();
}

void ServerDiscovery::readAnswers()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid()) {
            qCDebug(lcPbxLink) << "cannot read a discovery answer:" << m_socket->errorString();
            return;
        }
        const std::optional<DiscoveredServer> server = DiscoveryAnswer::parse(datagram.data());
        if (!server) {
            qCDebug(lcPbxLink) << "ignored a malformed discovery answer from" << datagram.senderAddress().toString();
            continue;
        }
        const bool late = m_windowClosed;
        if (!late && !m_servers.contains(*server)) {
            m_servers.append(*server);
        }
        emit answerReceived(*server, late);
    }
}

void ServerDiscovery::closeWindow()
{
    m_windowClosed = true;
    if (m_servers.size() == 1) {
        emit serverFound(m_servers.first());
    } else if (m_servers.size() > 1) {
        emit severalServersFound(m_servers);
    } else {
        emit noServerFound();
    }
}
