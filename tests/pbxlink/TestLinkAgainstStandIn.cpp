#include "StandInClient.h"
#include "pbxlink/discovery/ServerDiscovery.h"

#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

namespace {

// A free UDP port on loopback for the discovery question.
quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

} // namespace

class TestLinkAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void logsInKeepsAliveAndReceivesEvents()
    {
        pbxsim::PbxSimulator standIn(standInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        LinkUnderTest client(standIn.port());
        QVERIFY(client.logIn());
        QCOMPARE(client.window.lastStatus(), QStringLiteral("Connected to server"));
        QCOMPARE(client.link.lifecycle().pbxType(), QStringLiteral("Tolmo"));
        QVERIFY(client.console.texts().contains(QStringLiteral("aLOGI 21__ ****")));

        // Keep-alives every few milliseconds leave the login in place and get no reply.
        client.link.timer(LinkTimer::Guard).setInterval(5);
        QTest::qWait(100);
        QVERIFY(standIn.control(QStringLiteral("sessions")).contains(QStringLiteral("21")));
        QVERIFY(!client.link.queues().hasOutstanding());

        QVERIFY(standIn.control(QStringLiteral("ring 21 600123 Jan Kowalski")).startsWith(u"ok"));
        QTRY_VERIFY_WITH_TIMEOUT(!client.window.incoming.isEmpty(), Patience);
        QVERIFY(client.window.incoming.first().startsWith(QStringLiteral("600123||")));
        QVERIFY(client.window.incoming.first().endsWith(QStringLiteral("Kowalski")));
        QCOMPARE(client.window.windowState(), WindowState::Ringing);

        // Commands queue behind each other and each gets its reply.
        QVERIFY(client.link.sendQueued(QStringLiteral("aDND 21__ T")));
        QVERIFY(client.link.sendQueued(QStringLiteral("aDND 21__ F")));
        QTRY_VERIFY_WITH_TIMEOUT(!client.link.queues().hasOutstanding() && !client.link.queues().hasDeferred(),
                                 Patience);
    }

    void linesArrivingWhileAMessageBoxIsOpenKeepTheirOrder()
    {
        pbxsim::PbxSimulator standIn(standInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        LinkUnderTest client(standIn.port());
        QVERIFY(client.logIn());
        QVERIFY(standIn.control(QStringLiteral("rule DND na 5 1")).startsWith(u"ok"));

        // The refusal opens a box; its loop runs while a whole call comes and goes on the line.
        client.dialogs.whileShown = [&] {
            standIn.control(QStringLiteral("ring 21 600123 Jan"));
            standIn.control(QStringLiteral("answer 21"));
            standIn.control(QStringLiteral("release 21"));
            QVERIFY(QTest::qWaitFor([&] { return client.link.pendingLines() >= 3; }, Patience));
            QVERIFY(client.window.incoming.isEmpty());
        };
        const qsizetype statesBefore = client.window.states.size();
        QVERIFY(client.link.services().setDoNotDisturb(true));
        QTRY_COMPARE_WITH_TIMEOUT(client.history.entries.size(), 1, Patience);

        QCOMPARE(client.dialogs.errors.size(), 1);
        QCOMPARE(client.window.incoming.size(), 1);
        QCOMPARE(client.window.states.mid(statesBefore),
                 (QList<WindowState>{WindowState::Ringing, WindowState::IncomingConnected, WindowState::CallEnded}));
        QCOMPARE(client.history.entries.first().type, CallType::IncomingAnswered);
        QCOMPARE(client.history.entries.first().number, QStringLiteral("600123"));
        QCOMPARE(client.link.pendingLines(), 0);
    }

    void droppedLinkComesBackAndLogoutWaitsForItsReply()
    {
        pbxsim::PbxSimulator standIn(standInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        LinkUnderTest client(standIn.port());
        QVERIFY(client.logIn());
        // Past the first second a drop is a drop, not a full server.
        client.link.timer(LinkTimer::DetectServerFull).stop();

        QVERIFY(standIn.control(QStringLiteral("drop 21")).startsWith(u"ok"));
        QTRY_COMPARE_WITH_TIMEOUT(client.window.windowState(), WindowState::Disconnected, Patience);
        QCOMPARE(client.link.timer(LinkTimer::Connect).interval(), LinkLifecycle::FastRetryMs);
        QTRY_VERIFY_WITH_TIMEOUT(client.loggedIn(), Patience);

        client.link.disconnectFromServer();
        QTRY_VERIFY_WITH_TIMEOUT(!client.link.isConnected(), Patience);
        QCOMPARE(client.window.lastStatus(), QStringLiteral("Disconnected from server"));
        QVERIFY(client.console.texts().contains(QStringLiteral("aLOGO 21__")));
        QVERIFY(client.console.texts().contains(QStringLiteral("OK")));
    }

    void refusedAndFullServers()
    {
        pbxsim::PbxSimulator standIn(standInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        LinkUnderTest wrongPin(standIn.port());
        wrongPin.settings.WorkingPin = QStringLiteral("9999");
        wrongPin.link.start();
        QTRY_COMPARE_WITH_TIMEOUT(wrongPin.window.lastStatus(), QStringLiteral("Access denied: PIN code error"),
                                  Patience);
        QVERIFY(wrongPin.link.timer(LinkTimer::Connect).interval() >= LinkLifecycle::SlowRetryMs);

        pbxsim::SimulatorConfig fullConfig = standInConfig();
        fullConfig.faults.full = true;
        pbxsim::PbxSimulator full(fullConfig);
        QVERIFY2(full.start(&error), qPrintable(error));
        LinkUnderTest turnedAway(full.port());
        turnedAway.link.start();
        QTRY_VERIFY_WITH_TIMEOUT(
            turnedAway.console.texts().contains(QStringLiteral("Remote host has too many connections")), Patience);
        QVERIFY(turnedAway.link.timer(LinkTimer::Connect).interval() >= LinkLifecycle::SlowRetryMs);
    }

    void twoServersFoundOnLoopbackAndOneChosen()
    {
        const quint16 questionPort = freeUdpPort();
        pbxsim::SimulatorConfig config = standInConfig();
        config.discovery = true;
        config.udpAddress = QHostAddress(QStringLiteral("127.255.255.255"));
        config.udpAddressGiven = true;
        config.udpPort = questionPort;
        pbxsim::PbxSimulator first(config);
        pbxsim::PbxSimulator second(config);
        QString error;
        QVERIFY2(first.start(&error), qPrintable(error));
        QVERIFY2(second.start(&error), qPrintable(error));

        LinkUnderTest client(0);
        client.settings.Siec.Szukaj = true;
        ServerDiscovery discovery([] { return QList<QHostAddress>{QHostAddress(QStringLiteral("127.255.255.255"))}; },
                                  Clock::system(), questionPort, std::chrono::milliseconds(300));
        client.link.setServerDiscovery(&discovery);
        QSignalSpy choices(&client.link, &TToPBX::serverChoiceNeeded);
        client.link.start();
        QTRY_COMPARE_WITH_TIMEOUT(choices.size(), 1, Patience);
        const auto servers = choices.first().first().value<QList<DiscoveredServer>>();
        QCOMPARE(servers.size(), 2);
        QVERIFY(client.link.timer(LinkTimer::Connect).interval() >= LinkLifecycle::SlowRetryMs);

        client.link.chooseServer(servers.last(), true);
        QVERIFY(!client.settings.Siec.Szukaj);
        QCOMPARE(client.settings.Siec.Port, servers.last().port);
        QCOMPARE(client.saves, 1);
        QTRY_VERIFY_WITH_TIMEOUT(client.loggedIn(), Patience);
    }
};

QTEST_GUILESS_MAIN(TestLinkAgainstStandIn)
#include "TestLinkAgainstStandIn.moc"
