#include "pbxlink/lifecycle/TToPBX.h"

#include "pbxlink/discovery/ServerDiscovery.h"
#include "pbxlink/protocol/PbxLinkLog.h"
#include "settings/CodePage.h"
#include "settings/SettingsRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>

namespace {

const QEvent::Type ProcessLineEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The link's view of the search: start and stop.
class DiscoverySearch final : public ServerSearch {
public:
    explicit DiscoverySearch(ServerDiscovery& discovery)
        : m_discovery(discovery)
    {
    }

    void start() override { m_discovery.start(); }
    void stop() override { m_discovery.stop(); }

private:
    ServerDiscovery& m_discovery;
};

} // namespace

TToPBX::TToPBX(SettingsRecord& settings, std::function<void()> saveSettings, LogFile netLog, LinkPartners partners,
               Clock& clock, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_log(std::move(netLog))
    , m_dispatcher(*this)
    , m_timers(this, [this](LinkTimer which) { m_lifecycle.onTimer(which); })
    , m_lifecycle(LinkLifecycle::Collaborators{settings, std::move(saveSettings), m_dispatcher, *this, m_timers, m_log,
                                               m_notices, partners.services, partners.dialogs, clock})
    , m_calls(settings, m_dispatcher, m_lifecycle, m_notices, partners, clock,
              [] { QCoreApplication::processEvents(); })
{
    m_dispatcher.setFirstWordObserver([waits = m_waits](const QString& word) { waits->observe(word); });
    setObjectName(QStringLiteral("TToPBX"));
    connect(&m_socket, &QTcpSocket::connected, this, [this] { m_lifecycle.onSocketConnected(); });
    connect(&m_socket, &QTcpSocket::disconnected, this, &TToPBX::onSocketDisconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &TToPBX::onSocketError);
    connect(&m_socket, &QTcpSocket::readyRead, this, &TToPBX::readSocket);
}

TToPBX::~TToPBX()
{
    m_destroying = true;
    m_waits->linkDestroyed();
    m_socket.disconnect(this);
    m_socket.abort();
}

void TToPBX::setServerDiscovery(ServerDiscovery* discovery)
{
    m_search = discovery != nullptr ? std::make_unique<DiscoverySearch>(*discovery) : nullptr;
    m_lifecycle.setServerSearch(m_search.get());
    if (discovery == nullptr) {
        return;
    }
    connect(discovery, &ServerDiscovery::openFailed, this, [this] { m_lifecycle.onSearchOpenFailed(); });
    connect(discovery, &ServerDiscovery::searchFailed, this, [this] { m_lifecycle.onSearchFailed(); });
    connect(discovery, &ServerDiscovery::searchStarted, this, [this] { m_lifecycle.onSearchStarted(); });
    connect(discovery, &ServerDiscovery::answerReceived, this, [this](const DiscoveredServer& server, bool late) {
        m_lifecycle.onServerAnswer(server.address, server.port, late);
    });
    connect(discovery, &ServerDiscovery::serverFound, this,
            [this](const DiscoveredServer& server) { m_lifecycle.onServerFound(server.address, server.port); });
    connect(discovery, &ServerDiscovery::severalServersFound, this, [this](const QList<DiscoveredServer>& servers) {
        m_lifecycle.onNoServerTaken();
        emit serverChoiceNeeded(servers);
    });
    connect(discovery, &ServerDiscovery::noServerFound, this, [this] { m_lifecycle.onNoServerTaken(); });
}

void TToPBX::chooseServer(const DiscoveredServer& server, bool fixedServer)
{
    m_lifecycle.onServerChosen(server.address, server.port, fixedServer);
}

void TToPBX::restart()
{
    qCInfo(lcPbxLink) << "Reconnecting after resume";
    m_lifecycle.start();
}

bool TToPBX::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

QString TToPBX::extension() const
{
    return m_settings.Siec.TelNr;
}

bool TToPBX::isOpen() const
{
    return isConnected();
}

bool TToPBX::writeBytes(const QByteArray& bytes)
{
    return m_socket.write(bytes) == bytes.size();
}

void TToPBX::queueIncomingLine(const QString& line)
{
    m_incoming.enqueue(line);
    postLineEvent();
}

void TToPBX::console(const QString& line, ConsoleColour colour)
{
    m_log.write(line, colour);
}

void TToPBX::replyReceived(const PbxReply& reply, const QString& command)
{
    m_lifecycle.onReply(reply, command);
}

bool TToPBX::open(const QString& host, int port)
{
    if (host.trimmed().isEmpty() || port <= 0 || port > 65535) {
        return false;
    }
    m_lifecycle.onSocketConnecting();
    m_socket.connectToHost(host.trimmed(), static_cast<quint16>(port));
    return true;
}

void TToPBX::close()
{
    m_closingOnPurpose = true;
    m_socket.abort();
    m_closingOnPurpose = false;
}

QString TToPBX::remoteAddress() const
{
    return m_socket.peerAddress().toString();
}

void TToPBX::clearIncoming()
{
    m_incoming.clear();
    m_framer.clear();
    m_processing = 0;
}

void TToPBX::readSocket()
{
    const QByteArray bytes = m_socket.readAll();
    QList<QByteArray> lines;
    m_framer.feed(bytes, lines);
    for (const QByteArray& line : lines) {
        queueIncomingLine(CodePage::fromWindows1250(line));
    }
}

void TToPBX::onSocketError(QAbstractSocket::SocketError error)
{
    if (m_closingOnPurpose || m_destroying) {
        return;
    }
    switch (error) {
    case QAbstractSocket::RemoteHostClosedError:
        // The disconnected signal follows and handles the drop.
        return;
    case QAbstractSocket::HostNotFoundError:
        m_lifecycle.onHostUnknown();
        return;
    default:
        m_lifecycle.onSocketError(SocketErrors::fromQt(error, m_socket.state()));
        return;
    }
}

void TToPBX::onSocketDisconnected()
{
    if (m_closingOnPurpose || m_destroying) {
        return;
    }
    m_lifecycle.onSocketClosed();
}

void TToPBX::postLineEvent()
{
    QCoreApplication::postEvent(this, new QEvent(ProcessLineEvent));
}

bool TToPBX::event(QEvent* event)
{
    if (event->type() != ProcessLineEvent) {
        return QObject::event(event);
    }
    processOneLine();
    return true;
}

void TToPBX::processOneLine()
{
    // A line being handled may open a modal window whose loop delivers more of these events; they do nothing,
    // and the outer call posts again once its line is done so the queue drains in order.
    if (m_processing != 0 || m_incoming.isEmpty()) {
        return;
    }
    ++m_processing;
    const QString line = m_incoming.dequeue();
    m_dispatcher.dispatch(line);
    --m_processing;
    if (m_processing < 0) {
        m_processing = 0;
    }
    postLineEvent();
}
