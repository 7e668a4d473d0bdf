#include "SimClient.h"
#include "SimTestConfig.h"
#include "pbxsim/PbxSimulator.h"
#include "pbxsim/SimulatorOptions.h"
#include "support/TestFiles.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <memory>

using pbxsim::PbxSimulator;
using pbxsim::SimulatorConfig;
using pbxsim::SimulatorOptions;

namespace {

std::unique_ptr<PbxSimulator> startedSimulator(const SimulatorConfig& config)
{
    auto simulator = std::make_unique<PbxSimulator>(config);
    QString error;
    if (!simulator->start(&error)) {
        qWarning("%s", qPrintable(error));
        return nullptr;
    }
    return simulator;
}

std::unique_ptr<SimClient> loggedInClient(const PbxSimulator& simulator)
{
    auto client = std::make_unique<SimClient>(simulator.port());
    if (!client->login(QStringLiteral("21__"), QStringLiteral("1234"))) {
        return nullptr;
    }
    return client;
}

// Sends one control line over the control socket and returns the answer line.
QString askControl(QTcpSocket& socket, const QString& line)
{
    socket.write(line.toUtf8() + '\n');
    static_cast<void>(QTest::qWaitFor([&socket] { return socket.canReadLine(); }, 1000));
    return QString::fromUtf8(socket.readLine()).trimmed();
}

// The answers a discovery request gets within a short time.
QStringList discover(const QHostAddress& address, quint16 port, int expected)
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::LocalHost), 0) ||
        socket.writeDatagram(QByteArray("WHO PHONE\r\n"), address, port) != 11) {
        return {QStringLiteral("send failed: ") + socket.errorString()};
    }
    QStringList answers;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            while (socket.hasPendingDatagrams()) {
                answers.append(QString::fromLatin1(socket.receiveDatagram().data()));
            }
            return answers.size() >= expected;
        },
        1000));
    answers.sort();
    return answers;
}

} // namespace

// The control language from its three sources, the faults, discovery and the command line.
class TestPbxSimControl final : public QObject {
    Q_OBJECT

private slots:
    void ringCarriesTheEncodedName()
    {
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        const QString ring = QStringLiteral("ring 21 600123 Jan Kowalski\\nDział\\\\Sprzedaży");
        QCOMPARE(simulator->control(ring), QStringLiteral("ok"));
        client->take(1);
        QCOMPARE(client->rawBytes().sliced(QByteArray("aOK Tolmo 1.45 9\r\n").size()),
                 QByteArray("aRING 21__ 600123 0 21 0 Jan\xA0Kowalski\\nDzia\xB3\\\\Sprzeda\xBFy\r\n"));
    }

    void eventCommandsReachTheExtension()
    {
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        const QStringList commands = {
            QStringLiteral("drdy 21"),
            QStringLiteral("echo 21__ 5*"),
            QStringLiteral("answer 21 600"),
            QStringLiteral("release 21 39"),
            QStringLiteral("aoc 21 0,40  PLN"),
            QStringLiteral("stat 21 H F d l a P r"),
            QStringLiteral("rece 21 1 0 x.wav"),
            QStringLiteral("send 21 aXYZ raw"),
            QStringLiteral("send-other 21 22 RING 600 0 22"),
        };
        for (const QString& command : commands) {
            QCOMPARE(simulator->control(command), QStringLiteral("ok"));
        }
        QCOMPARE(client->take(commands.size()),
                 QStringList({QStringLiteral("aDRDY 21__"), QStringLiteral("aECHO 21__ 5*"),
                              QStringLiteral("aCONN 21__ 600"), QStringLiteral("aREL 21__ 39"),
                              QStringLiteral("aAOC 21__ 0,40  PLN"), QStringLiteral("aSTAT 21__ H F d l a P r "),
                              QStringLiteral("aRECE 21__ 1 0 x.wav"), QStringLiteral("aXYZ raw"),
                              QStringLiteral("aRING 22__ 600 0 22")}));
        QCOMPARE(simulator->control(QStringLiteral("drdy 22")), QStringLiteral("ok (no session)"));
    }

    void malformedControlLinesChangeNothing_data()
    {
        QTest::addColumn<QString>("line");
        const char* const bad[] = {
            "bogus",
            "ring",
            "ring 21",
            "ring 99 600",
            "ring 21 6a0",
            "answer 21",
            "release 21 x",
            "release 21 300",
            "stat 21 XYZ",
            "stat 21 Hfdlapx",
            "echo 21 12a",
            "aoc 21",
            "wait -1",
            "wait soon",
            "rule DIAL na",
            "rule DIAL na x",
            "rule DIAL na 4 0",
            "rule DIAL maybe",
            "rule 123 error",
            "rule DIAL error 2 3",
            "fault split 0",
            "fault mute maybe",
            "fault loud on",
            "fault full on now",
            "garbage 21 3",
            "offhook",
            "onhook 21 now",
            "keypad 21",
            "keypad 21 12a",
            "system-phone 21 maybe",
            "show 99",
            "dial-delay -1",
            "send-other 21 abc RING",
            "drop",
            "sessions now",
            "quit now",
        };
        for (const char* line : bad) {
            QTest::newRow(line) << QString::fromUtf8(line);
        }
    }

    void malformedControlLinesChangeNothing()
    {
        QFETCH(QString, line);
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        QSignalSpy quit(simulator.get(), &PbxSimulator::quitRequested);
        QVERIFY(simulator->control(line).startsWith(QLatin1String("error: ")));
        QCOMPARE(simulator->control(QStringLiteral("rule list")), QStringLiteral("ok"));
        QVERIFY(client->staysQuiet(5));
        QCOMPARE(client->exchange(QStringLiteral("aRQST 21__"), 1),
                 QStringList{QStringLiteral("aSTAT 21__ h f d l a p r ")});
        QCOMPARE(quit.count(), 0);
    }

    void controlSocketAnswersEachLine()
    {
        SimulatorConfig config = simTestConfig();
        config.controlPort = 0;
        const auto simulator = startedSimulator(config);
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        QTcpSocket control;
        control.connectToHost(QHostAddress(QHostAddress::LocalHost), simulator->controlPort());
        QVERIFY(control.waitForConnected(1000));
        QSignalSpy quit(simulator.get(), &PbxSimulator::quitRequested);

        QCOMPARE(askControl(control, QStringLiteral("sessions")), QStringLiteral("ok 21"));
        QCOMPARE(askControl(control, QStringLiteral("wait 5")), QStringLiteral("ok"));
        QCOMPARE(askControl(control, QStringLiteral("ring 21 600 Anna")), QStringLiteral("ok"));
        QCOMPARE(client->take(1), QStringList{QStringLiteral("aRING 21__ 600 0 21 0 Anna")});
        QVERIFY(askControl(control, QStringLiteral("ring 21")).startsWith(QLatin1String("error: usage: ring")));
        QVERIFY(askControl(control, QString::fromUtf8("\xff\xfe garbage")).startsWith(QLatin1String("error:")));
        QCOMPARE(askControl(control, QStringLiteral("quit")), QStringLiteral("ok"));
        QVERIFY(quit.count() == 1 || quit.wait(1000));
    }

    void waitHoldsOnlyItsOwnSource()
    {
        SimulatorConfig config = simTestConfig();
        config.controlPort = 0;
        const auto simulator = startedSimulator(config);
        QVERIFY(simulator);
        QTcpSocket waiting;
        QTcpSocket other;
        for (QTcpSocket* socket : {&waiting, &other}) {
            socket->connectToHost(QHostAddress(QHostAddress::LocalHost), simulator->controlPort());
            QVERIFY(socket->waitForConnected(1000));
        }
        waiting.write("wait 100\nsessions\n");
        QCOMPARE(askControl(other, QStringLiteral("help")).left(7), QStringLiteral("ok ring"));
        QVERIFY(!waiting.canReadLine());
        QVERIFY(QTest::qWaitFor([&waiting] { return waiting.bytesAvailable() >= 6; }, 1000));
        QCOMPARE(waiting.readAll(), QByteArray("ok\nok\n"));
    }

    void scriptPlaysInOrderAndReportsBadLines()
    {
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("call.txt"));
        QVERIFY(writeFile(path, "# an incoming call\nring 21 600 Anna Nowak\n\nwait 5\nnonsense here\r\n"
                                "answer 21\nwait 5\nrelease 21 17\n"));
        QSignalSpy finished(simulator.get(), &PbxSimulator::scriptFinished);
        QString error;
        QVERIFY(simulator->playScript(path, &error));
        QCOMPARE(client->take(3), QStringList({QString::fromUtf8("aRING 21__ 600 0 21 0 Anna\u00a0Nowak"),
                                               QStringLiteral("aCONN 21__ 600"), QStringLiteral("aREL 21__ 17")}));
        QVERIFY(finished.count() == 1 || finished.wait(1000));
        QVERIFY(!simulator->playScript(dir.filePath(QStringLiteral("missing.txt")), &error));
        QVERIFY(error.contains(QLatin1String("missing.txt")));
    }

    void splitWritesDeliverTheSameBytes()
    {
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        QCOMPARE(simulator->control(QStringLiteral("fault split 3 2")), QStringLiteral("ok"));
        QSignalSpy chunks(&client->socket(), &QTcpSocket::readyRead);
        const QByteArray before = client->rawBytes();
        client->send(QStringLiteral("aDND 21__ T"));
        QCOMPARE(client->take(2), QStringList({QStringLiteral("aOK"), QStringLiteral("aSTAT 21__ h f D l a p r ")}));
        QCOMPARE(client->rawBytes().sliced(before.size()), QByteArray("aOK\r\naSTAT 21__ h f D l a p r \r\n"));
        QVERIFY2(chunks.count() > 3, qPrintable(QString::number(chunks.count())));
    }

    void fullMuteDropAndGarbage()
    {
        const auto simulator = startedSimulator(simTestConfig());
        QVERIFY(simulator);
        simulator->control(QStringLiteral("fault full on"));
        SimClient refused(simulator->port());
        QVERIFY(QTest::qWaitFor([&] { return refused.socket().state() == QAbstractSocket::UnconnectedState; }, 1000));
        simulator->control(QStringLiteral("fault full off"));

        const auto client = loggedInClient(*simulator);
        QVERIFY(client);
        simulator->control(QStringLiteral("fault mute on"));
        client->send(QStringLiteral("aDND 21__ T"));
        QVERIFY(client->staysQuiet(30));
        QCOMPARE(client->socket().state(), QAbstractSocket::ConnectedState);
        simulator->control(QStringLiteral("fault mute off"));
        QCOMPARE(client->exchange(QStringLiteral("aRQST 21__"), 1),
                 QStringList{QStringLiteral("aSTAT 21__ h f d l a p r ")});

        const QByteArray before = client->rawBytes();
        QCOMPARE(simulator->control(QStringLiteral("garbage 21 64")), QStringLiteral("ok"));
        QVERIFY(QTest::qWaitFor(
            [&] { return client->rawBytes().size() + client->socket().bytesAvailable() >= before.size() + 64; }, 1000));
        client->staysQuiet(0);
        const QByteArray junk = client->rawBytes().sliced(before.size());
        QVERIFY(junk.contains('\0') && junk.contains('\t') && junk.contains('\r') && junk.contains('\n'));
        QVERIFY(std::any_of(junk.cbegin(), junk.cend(), [](char c) { return static_cast<unsigned char>(c) >= 128; }));

        QCOMPARE(simulator->control(QStringLiteral("drop 21")), QStringLiteral("ok 1"));
        QVERIFY(QTest::qWaitFor([&] { return client->socket().state() == QAbstractSocket::UnconnectedState; }, 1000));
        QCOMPARE(simulator->control(QStringLiteral("sessions")), QStringLiteral("ok"));
    }

    void discoveryAnswersWithTheTcpAddress()
    {
        SimulatorConfig config = simTestConfig();
        config.discovery = true;
        config.udpPort = 0;
        const auto simulator = startedSimulator(config);
        QVERIFY(simulator);
        const QString expected = QStringLiteral("USR 01 PHONE 127.0.0.1:%1\r\n").arg(simulator->port());
        QCOMPARE(discover(QHostAddress(QHostAddress::LocalHost), simulator->udpPort(), 1), QStringList{expected});

        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(QHostAddress::LocalHost), 0));
        stranger.writeDatagram(QByteArray("WHO ARE YOU\r\n"), QHostAddress(QHostAddress::LocalHost),
                               simulator->udpPort());
        QTest::qWait(30);
        QVERIFY(!stranger.hasPendingDatagrams());
    }

    // Two stand-ins share the discovery port on the loopback broadcast address; one request reaches both.
    void twoStandInsAnswerOneLoopbackBroadcast()
    {
        SimulatorConfig config = simTestConfig();
        config.discovery = true;
        config.udpAddress = QHostAddress(QStringLiteral("127.255.255.255"));
        config.udpPort = 0;
        const auto first = startedSimulator(config);
        QVERIFY(first);
        config.udpPort = first->udpPort();
        const auto second = startedSimulator(config);
        QVERIFY(second);
        QStringList expected = {QStringLiteral("USR 01 PHONE 127.0.0.1:%1\r\n").arg(first->port()),
                                QStringLiteral("USR 01 PHONE 127.0.0.1:%1\r\n").arg(second->port())};
        expected.sort();
        QCOMPARE(discover(QHostAddress(QStringLiteral("127.255.255.255")), first->udpPort(), 2), expected);
    }

    void nonLoopbackNeedsAnExplicitAddress()
    {
        SimulatorConfig config = simTestConfig();
        config.listenAddress = QHostAddress(QStringLiteral("192.0.2.1"));
        PbxSimulator simulator(config);
        QString error;
        QVERIFY(!simulator.start(&error));
        QVERIFY(error.contains(QLatin1String("--listen")));
    }

    void commandLine()
    {
        const auto parse = [](QStringList arguments, SimulatorConfig* config, QString* message) {
            arguments.prepend(QStringLiteral("tervo-pbxsim"));
            return SimulatorOptions::parse(arguments, config, message);
        };
        SimulatorConfig config;
        QString message;
        QCOMPARE(parse({}, &config, &message), SimulatorOptions::Outcome::Run);
        QCOMPARE(config.extensions.value(QStringLiteral("22")), QStringLiteral("2222"));
        QCOMPARE(config.port, quint16(5524));

        QCOMPARE(
            parse({QStringLiteral("--extension"), QStringLiteral("30:"), QStringLiteral("--port"), QStringLiteral("0"),
                   QStringLiteral("--fault"), QStringLiteral("mute"), QStringLiteral("--busy"), QStringLiteral("555"),
                   QStringLiteral("--protocol-level"), QStringLiteral("8")},
                  &config, &message),
            SimulatorOptions::Outcome::Run);
        QCOMPARE(config.extensions.keys(), QStringList{QStringLiteral("30")});
        QVERIFY(config.faults.mute && config.port == 0 && config.protocolLevel == 8);

        QCOMPARE(parse({QStringLiteral("--extension"), QStringLiteral("30:"), QStringLiteral("--no-system-phone"),
                        QStringLiteral("30"), QStringLiteral("--account"), QStringLiteral("5:55"),
                        QStringLiteral("--dial-delay"), QStringLiteral("20")},
                       &config, &message),
                 SimulatorOptions::Outcome::Run);
        QCOMPARE(config.noSystemPhone, QStringList{QStringLiteral("30")});
        QCOMPARE(config.accounts.value(QStringLiteral("5")), QStringLiteral("55"));
        QCOMPARE(config.accounts.size(), 1);
        QCOMPARE(config.dialDelayMs, 20);

        QCOMPARE(parse({QStringLiteral("--help")}, &config, &message), SimulatorOptions::Outcome::Help);
        QVERIFY(message.contains(QLatin1String("--no-system-phone")));
        QVERIFY(message.contains(QLatin1String("keypad EXT DIGITS")));

        const QStringList bad[] = {
            {QStringLiteral("--port"), QStringLiteral("70000")},
            {QStringLiteral("--port"), QStringLiteral("x")},
            {QStringLiteral("--listen"), QStringLiteral("nowhere")},
            {QStringLiteral("--extension"), QStringLiteral("12345:1")},
            {QStringLiteral("--extension"), QStringLiteral("21:12ab")},
            {QStringLiteral("--fault"), QStringLiteral("loud")},
            {QStringLiteral("--busy"), QStringLiteral("55a")},
            {QStringLiteral("--pbx-type"), QStringLiteral("two words")},
            {QStringLiteral("--dial-delay"), QStringLiteral("-5")},
            {QStringLiteral("--no-system-phone"), QStringLiteral("99")},
            {QStringLiteral("--account"), QStringLiteral("12:")},
            {QStringLiteral("--account"), QStringLiteral("x:1")},
            {QStringLiteral("--unknown")},
            {QStringLiteral("stray")},
        };
        for (const QStringList& arguments : bad) {
            SimulatorConfig fresh;
            QCOMPARE(parse(arguments, &fresh, &message), SimulatorOptions::Outcome::Error);
            QVERIFY(!message.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestPbxSimControl)
#include "TestPbxSimControl.moc"
