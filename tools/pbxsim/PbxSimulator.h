#pragma once

#include "pbxsim/CommandHandler.h"
#include "pbxsim/ControlInterpreter.h"
#include "pbxsim/Exchange.h"
#include "pbxsim/GateControl.h"
#include "pbxsim/RecordingControl.h"
#include "pbxsim/GateHandler.h"
#include "pbxsim/ReplyRules.h"
#include "pbxsim/SessionRegistry.h"
#include "pbxsim/SimulatorConfig.h"
#include "pbxsim/TrafficLog.h"

#include <QObject>
#include <memory>

namespace pbxsim {

class ControlServer;
class DiscoveryResponder;
class PbxListener;
class ScriptPlayer;
class StdinControl;

// The whole stand-in: the protocol listener with its sessions, the exchange model, reply rules and faults, the
// discovery responder, and the control sources (script, standard input, control socket) sharing one interpreter.
class PbxSimulator final : public QObject {
    Q_OBJECT

public:
    explicit PbxSimulator(const SimulatorConfig& config, QObject* parent = nullptr);
    ~PbxSimulator() override;

    // Opens the ports and starts the script; false with a message when something cannot start.
    bool start(QString* error);

    quint16 port() const;
    quint16 udpPort() const;
    quint16 controlPort() const;
    // Plays a script of control commands (also done by start() for the configured one).
    bool playScript(const QString& path, QString* error);
    // Runs one control command at once (a "wait" does not wait) and returns its answer.
    QString control(const QString& line);
    GateHandler& gate() { return m_gate; }

signals:
    void quitRequested();
    void scriptFinished();

private:
    bool startDiscovery(QString* error);
    bool startControl(QString* error);
    QString announcedAddress() const;

    SimulatorConfig m_config;
    TrafficLog m_log;
    ReplyRules m_rules;
    Exchange m_exchange;
    CommandHandler m_handler;
    GateHandler m_gate;
    GateControl m_gateControl;
    SessionRegistry m_registry;
    RecordingControl m_recordingControl{m_exchange, m_registry};
    ControlInterpreter m_interpreter;
    // Declared after what they refer to, so they go first.
    std::unique_ptr<PbxListener> m_listener;
    std::unique_ptr<DiscoveryResponder> m_discovery;
    std::unique_ptr<ControlServer> m_controlServer;
    std::unique_ptr<ScriptPlayer> m_script;
    std::unique_ptr<StdinControl> m_stdin;
};

} // namespace pbxsim
