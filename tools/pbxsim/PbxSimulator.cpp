#include "pbxsim/PbxSimulator.h"

#include "pbxsim/ControlServer.h"
#include "pbxsim/DiscoveryResponder.h"
#include "pbxsim/PbxListener.h"
#include "pbxsim/ScriptPlayer.h"
#include "pbxsim/StdinControl.h"

namespace pbxsim {

namespace {

QString loginReply(const SimulatorConfig& config)
{
    return QStringLiteral("aOK %1 %2 %3").arg(config.pbxType, config.pbxVersion).arg(config.protocolLevel);
}

QString endpoint(const QHostAddress& address, quint16 port)
{
    return address.toString() + QLatin1Char(':') + QString::number(port);
}

// Outside loopback only when the address was asked for by name.
bool allowed(const QHostAddress& address, bool given, const QString& option, QString* error)
{
    if (address.isLoopback() || given) {
        return true;
    }
    *error = QStringLiteral("refusing %1 outside loopback without an explicit --%2").arg(address.toString(), option);
    return false;
}

} // namespace

PbxSimulator::PbxSimulator(const SimulatorConfig& config, QObject* parent)
    : QObject(parent)
    , m_config(config)
    , m_log(config.quiet)
    , m_exchange(config)
    , m_handler(m_exchange, m_rules, loginReply(config))
    , m_gate(config.gates, m_log)
    , m_gateControl(m_gate)
    , m_interpreter(m_exchange, m_registry, m_rules, m_config.faults)
{
    m_handler.setGate(&m_gate);
    m_interpreter.setExtension([this](const QString& line) {
        std::optional<ControlReply> reply = m_gateControl.execute(line);
        return reply ? reply : m_recordingControl.execute(line);
    });
    connect(&m_exchange, &Exchange::event, &m_registry, &SessionRegistry::sendLine);
}

PbxSimulator::~PbxSimulator() = default;

bool PbxSimulator::start(QString* error)
{
    if (!allowed(m_config.listenAddress, m_config.listenAddressGiven, QStringLiteral("listen"), error) ||
        !allowed(m_config.udpAddress, m_config.udpAddressGiven, QStringLiteral("udp-address"), error)) {
        return false;
    }
    m_listener = std::make_unique<PbxListener>(m_handler, m_registry, m_config.faults, m_log);
    if (!m_listener->listen(m_config.listenAddress, m_config.port, error)) {
        return false;
    }
    m_log.note(QStringLiteral("listening on ") + endpoint(m_listener->address(), m_listener->port()));
    if (!startDiscovery(error) || !startControl(error)) {
        return false;
    }
    if (!m_config.scriptPath.isEmpty() && !playScript(m_config.scriptPath, error)) {
        return false;
    }
    if (m_config.readStdin && StdinControl::isUsable()) {
        m_stdin = std::make_unique<StdinControl>(m_interpreter, m_log);
        connect(m_stdin.get(), &StdinControl::quitRequested, this, &PbxSimulator::quitRequested);
        m_stdin->start();
    }
    return true;
}

bool PbxSimulator::playScript(const QString& path, QString* error)
{
    m_script = std::make_unique<ScriptPlayer>(m_interpreter, m_log);
    connect(m_script.get(), &ScriptPlayer::quitRequested, this, &PbxSimulator::quitRequested);
    connect(m_script.get(), &ScriptPlayer::finished, this, &PbxSimulator::scriptFinished);
    return m_script->start(path, error);
}

bool PbxSimulator::startDiscovery(QString* error)
{
    if (!m_config.discovery) {
        return true;
    }
    m_discovery = std::make_unique<DiscoveryResponder>(m_log);
    if (!m_discovery->start(m_config.udpAddress, m_config.udpPort, announcedAddress(), m_listener->port(), error)) {
        return false;
    }
    m_log.note(QStringLiteral("discovery on %1, announcing %2")
                   .arg(endpoint(m_config.udpAddress, m_discovery->port()),
                        announcedAddress() + QLatin1Char(':') + QString::number(m_listener->port())));
    return true;
}

bool PbxSimulator::startControl(QString* error)
{
    if (m_config.controlPort < 0) {
        return true;
    }
    m_controlServer = std::make_unique<ControlServer>(m_interpreter, m_log);
    connect(m_controlServer.get(), &ControlServer::quitRequested, this, &PbxSimulator::quitRequested);
    if (!m_controlServer->listen(quint16(m_config.controlPort), error)) {
        return false;
    }
    m_log.note(QStringLiteral("control on ") +
               endpoint(QHostAddress(QHostAddress::LocalHost), m_controlServer->port()));
    return true;
}

QString PbxSimulator::announcedAddress() const
{
    if (!m_config.announceAddress.isEmpty()) {
        return m_config.announceAddress;
    }
    const QHostAddress address = m_listener->address();
    const bool any = address == QHostAddress(QHostAddress::AnyIPv4) || address == QHostAddress(QHostAddress::Any) ||
                     address == QHostAddress(QHostAddress::AnyIPv6);
    return any ? QStringLiteral("127.0.0.1") : address.toString();
}

quint16 PbxSimulator::port() const
{
    return m_listener ? m_listener->port() : 0;
}

quint16 PbxSimulator::udpPort() const
{
    return m_discovery ? m_discovery->port() : 0;
}

quint16 PbxSimulator::controlPort() const
{
    return m_controlServer ? m_controlServer->port() : 0;
}

QString PbxSimulator::control(const QString& line)
{
    const ControlReply reply = m_interpreter.execute(line);
    if (reply.quit) {
        emit quitRequested();
    }
    return reply.answer();
}

} // namespace pbxsim
