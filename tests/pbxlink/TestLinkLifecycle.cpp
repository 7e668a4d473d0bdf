#include "LinkHarness.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QTest>

namespace {

bool isSlowRetry(int interval)
{
    return interval >= LinkLifecycle::SlowRetryMs &&
           interval < LinkLifecycle::SlowRetryMs + LinkLifecycle::SlowRetrySpreadMs;
}

} // namespace

class TestLinkLifecycle final : public QObject {
    Q_OBJECT

private slots:
    void loginIsSentOnConnectAndAcceptedFromLevelNine()
    {
        LinkHarness link;
        link.services.missedCalls = true;
        link.lifecycle.start();
        QCOMPARE(link.window.states.last(), WindowState::Connecting);
        QCOMPARE(link.socket.openedHost, QStringLiteral("127.0.0.1"));
        QCOMPARE(link.socket.openedPort, 5524);
        link.socket.connected = true;
        link.lifecycle.onSocketConnected();
        QCOMPARE(link.socket.commands(), QStringList{QStringLiteral("aLOGI 21__ 1234")});
        QVERIFY(link.timers.isActive(LinkTimer::Login));
        QVERIFY(link.timers.isActive(LinkTimer::Guard));
        QVERIFY(link.timers.isActive(LinkTimer::DetectServerFull));
        QCOMPARE(link.window.states.last(), WindowState::IdleShow);
        QCOMPARE(link.services.bookReconnects, 1);

        link.receive(QStringLiteral("aOK Tolmo 1.45 9"));
        QCOMPARE(link.window.states.last(), WindowState::Idle);
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Connected to server"));
        QCOMPARE(link.lifecycle.pbxType(), QStringLiteral("Tolmo"));
        QCOMPARE(link.lifecycle.protocolLevel(), 9);
        QVERIFY(!link.timers.isActive(LinkTimer::Login));
        QCOMPARE(link.window.pendingRequestsRun, 1);

        link.lifecycle.onTimer(LinkTimer::Guard);
        QCOMPARE(link.socket.written.last(), QByteArray("\r\n\0", 3));
    }

    void tooOldProtocolIsRetriedThenReported()
    {
        LinkHarness link;
        link.connectAndLogIn(QStringLiteral("aOK Tolmo 1.20 8"));
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aLOGO 21__"));
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::FastRetryMs);
        QVERIFY(link.dialogs.warnings.isEmpty());

        for (int attempt = 0; attempt < LinkLifecycle::LoginRetries; ++attempt) {
            link.connectAndLogIn(QStringLiteral("aOK Tolmo 1.20 8"));
        }
        QCOMPARE(link.dialogs.warnings.size(), 1);
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));

        // Reported once; the next refusals only keep retrying. A good answer restores the full count.
        link.connectAndLogIn(QStringLiteral("aOK Tolmo 1.20"));
        QCOMPARE(link.dialogs.warnings.size(), 1);
        link.connectAndLogIn();
        QCOMPARE(link.lifecycle.protocolLevel(), 9);
        link.connectAndLogIn(QStringLiteral("aOK Tolmo 1.20 x"));
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::FastRetryMs);
    }

    void refusedLoginShowsItsReasonAndWaits()
    {
        LinkHarness link;
        link.clock.nextRandom = 4321;
        link.connectAndLogIn(QStringLiteral("aNA 11"));
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Access denied: PIN code error"));
        QCOMPARE(link.window.states.last(), WindowState::Disconnected);
        QVERIFY(link.lifecycle.loginFailed());
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::SlowRetryMs + 4321);

        link.connectAndLogIn(QStringLiteral("aNA 105"));
        QCOMPARE(link.window.statuses.last().tag, StatusLine::ServiceModeTag);
        QCOMPARE(link.window.unavailable.size(), 2);

        link.connectAndLogIn(QStringLiteral("aERROR"));
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Access denied: Unknown error. Contact administrator"));
        QVERIFY(link.window.unavailable.isEmpty());
        link.connectAndLogIn(QStringLiteral("aNA garbage"));
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Access denied: Unknown error. Contact administrator"));
    }

    void notLoggedInRefusalLogsInAgainAndKeepsTheCall()
    {
        LinkHarness link;
        link.connectAndLogIn();
        link.lifecycle.setServiceReplyHandler(nullptr);
        // A conversation goes on when the exchange says it does not know the extension any more.
        emit link.notices.windowStateChosen(WindowState::IncomingConnected);
        link.dispatcher.sendQueued(QStringLiteral("aDND 21__ T"));
        link.receive(QStringLiteral("aNA 1"));
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aLOGI 21__ 1234"));
        QVERIFY(link.dialogs.errors.isEmpty());

        link.receive(QStringLiteral("aOK Tolmo 1.45 9"));
        QCOMPARE(link.window.states.last(), WindowState::IncomingConnected);
        QCOMPARE(link.window.pendingRequestsRun, 1);
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Connected to server"));
        link.dispatcher.sendQueued(QStringLiteral("aDIAL 21__ 600"));
        link.receive(QStringLiteral("aNA 5"));
        QCOMPARE(link.dialogs.errors,
                 QStringList{QStringLiteral("Norvel TelefonTervo - aDIAL|Subscriber called by a group")});
    }

    void serverThatDropsRightAwayIsFull()
    {
        LinkHarness link;
        link.settings.Siec.OknoWysBl = true;
        link.lifecycle.start();
        link.socket.connected = true;
        link.lifecycle.onSocketConnected();
        link.socket.connected = false;
        link.lifecycle.onSocketClosed();
        QVERIFY(link.console.texts().contains(QStringLiteral("Remote host has too many connections")));
        QCOMPARE(link.window.lastStatus(),
                 QStringLiteral("Access denied: maximum call buffer is over. Contact your administrator"));
        QCOMPARE(link.dialogs.networkErrors.size(), 1);
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));
        QCOMPARE(link.window.states.last(), WindowState::Disconnected);
    }

    void dropReconnectsOnceQuicklyThenSlowly()
    {
        LinkHarness link;
        link.connectAndLogIn();
        link.lifecycle.onTimer(LinkTimer::DetectServerFull);
        link.socket.connected = false;
        link.lifecycle.onSocketClosed();
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Disconnected from server"));
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::FastRetryMs);
        QVERIFY(!link.timers.isActive(LinkTimer::Guard));

        const int opensBefore = link.socket.opens;
        link.lifecycle.onTimer(LinkTimer::Connect);
        QCOMPARE(link.socket.opens, opensBefore + 1);
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));

        // The attempt fails: the next ones come at the slow pace, and they keep coming.
        link.lifecycle.onSocketError({SocketErrors::Kind::Connect, SocketErrors::ConnectionRefused});
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));
        link.lifecycle.onTimer(LinkTimer::Connect);
        QCOMPARE(link.socket.opens, opensBefore + 2);
        QVERIFY(link.timers.isActive(LinkTimer::Connect));
    }

    void loginWithoutReplyStartsAgain()
    {
        LinkHarness link;
        link.lifecycle.start();
        link.socket.connected = true;
        link.lifecycle.onSocketConnected();
        const int opensBefore = link.socket.opens;
        link.lifecycle.onTimer(LinkTimer::Login);
        QVERIFY(link.window.statuses.contains(
            StatusLine{QStringLiteral("Login error: server do not respond"), 0, StatusLine::NormalTag}));
        QVERIFY(!link.timers.isActive(LinkTimer::Login));
        QCOMPARE(link.socket.opens, opensBefore + 1);
    }

    void logoutClosesOnlyAfterItsReply()
    {
        LinkHarness link;
        link.connectAndLogIn();
        link.lifecycle.disconnect();
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aLOGO 21__"));
        link.lifecycle.onTimer(LinkTimer::DisconnectSleep);
        QVERIFY(link.socket.connected);
        link.receive(QStringLiteral("aOK"));
        link.lifecycle.onTimer(LinkTimer::DisconnectSleep);
        QVERIFY(!link.socket.connected);
        QVERIFY(!link.timers.isActive(LinkTimer::DisconnectSleep));
        QCOMPARE(link.window.lastStatus(), QStringLiteral("Disconnected from server"));
    }

    void logoutGivesUpOnAMuteExchange()
    {
        LinkHarness link;
        link.connectAndLogIn();
        link.lifecycle.disconnect();
        link.timers.setInterval(LinkTimer::DisconnectSleep, LinkLifecycle::LogoutGiveUpMs);
        link.lifecycle.onTimer(LinkTimer::DisconnectSleep);
        QVERIFY(!link.socket.connected);
    }

    void socketErrorsReadAsTheirKindAndCode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("console");
        const auto kind = [](SocketErrors::Kind k) {
            return static_cast<int>(k);
        };
        QTest::newRow("refused") << kind(SocketErrors::Kind::Connect) << 10061
                                 << "Error Connections - 10061: No server application under specified address"
                                 << "Connect error: 10061";
        QTest::newRow("timeout") << kind(SocketErrors::Kind::Connect) << 10060
                                 << "Error Connections - 10060: Server does not respond"
                                 << "Connect error: 10060";
        QTest::newRow("network") << kind(SocketErrors::Kind::General) << 10050
                                 << "Error General - 10050: Network failure"
                                 << "General error: 10050";
        QTest::newRow("buffers") << kind(SocketErrors::Kind::Send) << 10055 << "Error Send - 10055: Buffer is full"
                                 << "Sending error: 10055";
        QTest::newRow("processes") << kind(SocketErrors::Kind::Receive) << 10067
                                   << "Error receiving - 10067: To many network processes in system"
                                   << "Receive error: 10067";
        QTest::newRow("other") << kind(SocketErrors::Kind::Other) << 10054 << "Error unknown - 10054"
                               << "Unknown error: 10054";
    }

    void socketErrorsReadAsTheirKindAndCode()
    {
        QFETCH(int, kind);
        QFETCH(int, code);
        QFETCH(QString, status);
        QFETCH(QString, console);
        LinkHarness link;
        link.lifecycle.start();
        link.lifecycle.onSocketError({static_cast<SocketErrors::Kind>(kind), code});
        QVERIFY(link.window.statuses.contains(StatusLine{status, 0, StatusLine::NormalTag}));
        QCOMPARE(link.console.lines.last().first, console);
        QCOMPARE(link.console.lines.last().second, ConsoleColour::Error);
        QCOMPARE(link.window.states.last(), WindowState::Disconnected);
        QVERIFY(link.dialogs.networkErrors.isEmpty());
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));
        QVERIFY(link.timers.isActive(LinkTimer::Connect));
    }

    void errorOnAnEstablishedLinkIsADrop()
    {
        LinkHarness link;
        link.settings.Siec.OknoWysBl = true;
        link.connectAndLogIn();
        link.lifecycle.onTimer(LinkTimer::DetectServerFull);
        link.lifecycle.onSocketError({SocketErrors::Kind::Receive, SocketErrors::NetworkDown});
        QCOMPARE(link.dialogs.networkErrors.size(), 1);
        QVERIFY(!link.socket.connected);
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::FastRetryMs);
        QVERIFY(!link.timers.isActive(LinkTimer::Guard));
    }

    void unknownServerIsRetriedSoon()
    {
        LinkHarness link;
        link.settings.Siec.Serwer.clear();
        link.settings.Siec.PokazBladServ = false;
        link.lifecycle.start();
        QCOMPARE(link.window.lastStatus(), QStringLiteral("no server at:"));
        QCOMPARE(link.console.lines.last().first, QStringLiteral("Serwer host name unknown"));
        QCOMPARE(link.dialogs.serverConfigurations, 1);
        QCOMPARE(link.timers.interval(LinkTimer::Connect), LinkLifecycle::FastRetryMs);
        QVERIFY(link.lifecycle.fastRetryUsed());
    }

    void discoveredServerIsStoredAndConnected()
    {
        LinkHarness link;
        link.settings.Siec.Szukaj = true;
        link.lifecycle.onServerChosen(QStringLiteral("127.0.0.7"), 6000, true);
        QVERIFY(!link.settings.Siec.Szukaj);
        QCOMPARE(link.settings.Siec.Serwer, QStringLiteral("127.0.0.7"));
        QCOMPARE(link.saves, 1);
        QCOMPARE(link.socket.openedPort, 6000);

        link.lifecycle.onNoServerTaken();
        QVERIFY(isSlowRetry(link.timers.interval(LinkTimer::Connect)));
        // Answers past the collection window are logged and leave the next search armed.
        link.lifecycle.onServerAnswer(QStringLiteral("127.0.0.8"), 5524, true);
        QVERIFY(link.timers.isActive(LinkTimer::Connect));
        QCOMPARE(link.console.lines.last().second, ConsoleColour::LateAnswer);
        link.lifecycle.onServerAnswer(QStringLiteral("127.0.0.8"), 5524, false);
        QVERIFY(!link.timers.isActive(LinkTimer::Connect));
    }

    void pinNotKeptAsksForIt()
    {
        LinkHarness link;
        link.settings.Siec.ZapiszKlucz = false;
        link.lifecycle.start();
        QCOMPARE(link.dialogs.logins, 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkLifecycle)
#include "TestLinkLifecycle.moc"
