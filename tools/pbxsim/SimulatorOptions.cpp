#include "pbxsim/SimulatorOptions.h"

#include "pbxsim/ControlInterpreter.h"
#include "pbxsim/RecordingControl.h"
#include "pbxsim/SimulatorConfig.h"
#include "pbxsim/WireText.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <optional>

namespace pbxsim {

namespace {

const QString Listen = QStringLiteral("listen");
const QString Port = QStringLiteral("port");
const QString UdpAddress = QStringLiteral("udp-address");
const QString UdpPort = QStringLiteral("udp-port");
const QString NoDiscovery = QStringLiteral("no-discovery");
const QString Announce = QStringLiteral("announce");
const QString Extension = QStringLiteral("extension");
const QString PbxType = QStringLiteral("pbx-type");
const QString PbxVersion = QStringLiteral("pbx-version");
const QString ProtocolLevel = QStringLiteral("protocol-level");
const QString Script = QStringLiteral("script");
const QString ControlPort = QStringLiteral("control-port");
const QString DialDelay = QStringLiteral("dial-delay");
const QString Busy = QStringLiteral("busy");
const QString NoSystemPhone = QStringLiteral("no-system-phone");
const QString Account = QStringLiteral("account");
const QString Fault = QStringLiteral("fault");
const QString SplitPause = QStringLiteral("split-pause");
const QString NoStdin = QStringLiteral("no-stdin");
const QString Quiet = QStringLiteral("quiet");

// Reads option values into the configuration; the first problem is kept as the error.
class Reader final {
public:
    Reader(const QCommandLineParser& parser, SimulatorConfig& config)
        : m_parser(parser)
        , m_config(config)
    {
    }

    QString error() const { return m_error; }

    void number(const QString& option, int minimum, int maximum, int* target)
    {
        if (!m_parser.isSet(option)) {
            return;
        }
        bool ok = false;
        const int value = m_parser.value(option).toInt(&ok);
        if (!ok || value < minimum || value > maximum) {
            fail(QStringLiteral("--%1 needs a number from %2 to %3, not \"%4\"")
                     .arg(option)
                     .arg(minimum)
                     .arg(maximum)
                     .arg(m_parser.value(option)));
            return;
        }
        *target = value;
    }

    void port(const QString& option, quint16* target)
    {
        int value = *target;
        number(option, 0, 65535, &value);
        *target = quint16(value);
    }

    void address(const QString& option, QHostAddress* target, bool* given)
    {
        if (!m_parser.isSet(option)) {
            return;
        }
        if (!target->setAddress(m_parser.value(option))) {
            fail(QStringLiteral("--%1 needs an IP address, not \"%2\"").arg(option, m_parser.value(option)));
            return;
        }
        *given = true;
    }

    // A word of the login reply: not empty, no spaces or control characters.
    void word(const QString& option, QString* target)
    {
        if (!m_parser.isSet(option)) {
            return;
        }
        static const QRegularExpression pattern(QStringLiteral("^[^\\s\\x00-\\x1f]{1,32}$"));
        if (!pattern.match(m_parser.value(option)).hasMatch()) {
            fail(QStringLiteral("--%1 needs one word without spaces, not \"%2\"").arg(option, m_parser.value(option)));
            return;
        }
        *target = m_parser.value(option);
    }

    void extensions()
    {
        if (!m_parser.isSet(Extension)) {
            return;
        }
        m_config.extensions.clear();
        for (const QString& value : m_parser.values(Extension)) {
            const QString extension = value.section(QLatin1Char(':'), 0, 0);
            const QString pin = value.section(QLatin1Char(':'), 1);
            static const QRegularExpression pinPattern(QStringLiteral("^[0-9]{0,4}$"));
            if (!WireText::isExtension(extension) || !pinPattern.match(pin).hasMatch()) {
                fail(QStringLiteral("--extension needs EXT:PIN (one to four digits each; PIN may be empty), not \"%1\"")
                         .arg(value));
                return;
            }
            m_config.extensions.insert(extension, pin);
        }
    }

    // After extensions(): each must be a configured extension.
    void noSystemPhone()
    {
        for (const QString& value : m_parser.values(NoSystemPhone)) {
            if (!m_config.extensions.contains(value)) {
                fail(QStringLiteral("--no-system-phone needs a configured extension (%1), not \"%2\"")
                         .arg(m_config.extensions.keys().join(QLatin1Char(' ')), value));
                return;
            }
            m_config.noSystemPhone.append(value);
        }
    }

    void accounts()
    {
        if (!m_parser.isSet(Account)) {
            return;
        }
        m_config.accounts.clear();
        static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,4}):([0-9]{1,4})$"));
        for (const QString& value : m_parser.values(Account)) {
            const QRegularExpressionMatch match = pattern.match(value);
            if (!match.hasMatch()) {
                fail(QStringLiteral("--account needs ACCOUNT:PIN (one to four digits each), not \"%1\"").arg(value));
                return;
            }
            m_config.accounts.insert(match.captured(1), match.captured(2));
        }
    }

    void busyNumbers()
    {
        for (const QString& value : m_parser.values(Busy)) {
            if (!WireText::isPhoneNumber(value)) {
                fail(QStringLiteral("--busy needs a number (0-9, *, #, +), not \"%1\"").arg(value));
                return;
            }
            m_config.busyNumbers.append(value);
        }
    }

    void faults()
    {
        for (const QString& value : m_parser.values(Fault)) {
            if (value == QLatin1String("full")) {
                m_config.faults.full = true;
            } else if (value == QLatin1String("mute")) {
                m_config.faults.mute = true;
            } else {
                fail(QStringLiteral("--fault is full or mute, not \"%1\"").arg(value));
            }
        }
    }

private:
    void fail(const QString& message)
    {
        if (m_error.isEmpty()) {
            m_error = message;
        }
    }

    const QCommandLineParser& m_parser;
    SimulatorConfig& m_config;
    QString m_error;
};

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Stand-in for the PBX's computer-telephony server, for development, tests and demos."));
    parser.addHelpOption();
    const auto valued = [&parser](const QString& name, const QString& description, const QString& valueName) {
        parser.addOption(QCommandLineOption(name, description, valueName));
    };
    const auto flag = [&parser](const QString& name, const QString& description) {
        parser.addOption(QCommandLineOption(name, description));
    };
    valued(Listen, QStringLiteral("TCP address to listen on (default 127.0.0.1)."), QStringLiteral("ADDRESS"));
    valued(Port, QStringLiteral("TCP port (default 5524; 0 picks a free one)."), QStringLiteral("PORT"));
    valued(UdpAddress,
           QStringLiteral("Discovery bind address (default 127.0.0.1; 127.255.255.255 receives "
                          "loopback broadcasts)."),
           QStringLiteral("ADDRESS"));
    valued(UdpPort, QStringLiteral("Discovery UDP port (default 5523)."), QStringLiteral("PORT"));
    flag(NoDiscovery, QStringLiteral("Do not answer discovery datagrams."));
    valued(Announce, QStringLiteral("Address named in discovery answers (default: the listen address)."),
           QStringLiteral("ADDRESS"));
    valued(Extension, QStringLiteral("An extension and its PIN; repeat for more (default 21:1234 and 22:2222)."),
           QStringLiteral("EXT:PIN"));
    valued(PbxType, QStringLiteral("PBX type in the login reply (default Tolmo)."), QStringLiteral("TYPE"));
    valued(PbxVersion, QStringLiteral("PBX software version in the login reply (default 1.45)."),
           QStringLiteral("VERSION"));
    valued(ProtocolLevel, QStringLiteral("Protocol level in the login reply (default 9)."), QStringLiteral("LEVEL"));
    valued(Script, QStringLiteral("Play this file of control commands."), QStringLiteral("FILE"));
    valued(ControlPort, QStringLiteral("Take control commands on this port of 127.0.0.1 (0 picks a free one)."),
           QStringLiteral("PORT"));
    valued(DialDelay, QStringLiteral("Milliseconds from a dial to its connection or release (default 300)."),
           QStringLiteral("MS"));
    valued(Busy, QStringLiteral("Dialling this number releases with cause 17; repeatable."), QStringLiteral("NUMBER"));
    valued(NoSystemPhone,
           QStringLiteral("The extension has an analogue set: aPICK and aHANG get \"aNA 14\" and the handset is "
                          "worked with the offhook and onhook control commands; repeatable."),
           QStringLiteral("EXT"));
    valued(Account,
           QStringLiteral("An account number and its PIN for account codes; repeat for more (default "
                          "12:1234 and 34:3434)."),
           QStringLiteral("ACCOUNT:PIN"));
    valued(Fault, QStringLiteral("Start with a fault on: full or mute; repeatable."), QStringLiteral("FAULT"));
    valued(SplitPause, QStringLiteral("Milliseconds between chunks when lines are split (default 20)."),
           QStringLiteral("MS"));
    flag(NoStdin, QStringLiteral("Do not read control commands from standard input."));
    flag(Quiet, QStringLiteral("Log only start-up, control answers and errors, not every line."));
}

QString controlHelp()
{
    return QStringLiteral("\nControl commands, one a line, from --script, standard input or --control-port;\n"
                          "each is answered \"ok [...]\" or \"error: ...\", and '#' starts a comment line:\n") +
           ControlInterpreter::manual() + RecordingControl::manual();
}

} // namespace

SimulatorOptions::Outcome SimulatorOptions::parse(const QStringList& arguments, SimulatorConfig* config,
                                                  QString* message)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return Outcome::Error;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *message = parser.helpText() + controlHelp();
        return Outcome::Help;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());
        return Outcome::Error;
    }
    Reader reader(parser, *config);
    reader.address(Listen, &config->listenAddress, &config->listenAddressGiven);
    reader.port(Port, &config->port);
    reader.address(UdpAddress, &config->udpAddress, &config->udpAddressGiven);
    reader.port(UdpPort, &config->udpPort);
    config->discovery = !parser.isSet(NoDiscovery);
    reader.word(Announce, &config->announceAddress);
    reader.extensions();
    reader.word(PbxType, &config->pbxType);
    reader.word(PbxVersion, &config->pbxVersion);
    reader.number(ProtocolLevel, 0, 999, &config->protocolLevel);
    config->scriptPath = parser.value(Script);
    reader.number(ControlPort, 0, 65535, &config->controlPort);
    reader.number(DialDelay, 0, 600000, &config->dialDelayMs);
    reader.noSystemPhone();
    reader.accounts();
    reader.busyNumbers();
    reader.faults();
    reader.number(SplitPause, 0, 10000, &config->faults.splitPauseMs);
    config->readStdin = !parser.isSet(NoStdin);
    config->quiet = parser.isSet(Quiet);
    *message = reader.error();
    return message->isEmpty() ? Outcome::Run : Outcome::Error;
}

} // namespace pbxsim
