// The real link finding its way back after whatever stopped it: a server name that does not resolve, a search that
// cannot start, a logout followed at once by a new start. Each against real sockets on loopback; the long waits
// between attempts are not waited for: the retry timer's interval is read and its handler run by the test.
#include "BusyDiscoveryPort.h"
#include "StandInClient.h"
#include "pbxlink/discovery/ServerDiscovery.h"
#include "support/ManualClock.h"

#include <QTest>
#include <QUdpSocket>

namespace {

// The link looks for its server with this discovery, and starts.
void startSearching(LinkUnderTest& client, ServerDiscovery& discovery)
{
    client.settings.Siec.Szukaj = true;
    client.link.setServerDiscovery(&discovery);
    client.link.start();
}

bool isSlowRetry(const QTimer& timer)
{
    return timer.isActive() && timer.interval() >= LinkLifecycle::SlowRetryMs &&
           timer.interval() < LinkLifecycle::SlowRetryMs + LinkLifecycle::SlowRetrySpreadMs;
}

} // namespace

class TestLinkRecovery final : public QObject {
    Q_OBJECT

private slots:
    void unresolvableServerIsRetriedOnceQuicklyThenSlowly()
    {
        LinkUnderTest client(5524);
        // The resolver turns this name down without asking a name server; like any name that does not resolve,
        // the failure comes back after the attempt has begun.
        client.settings.Siec.Serwer = QStringLiteral("no such server");
        const auto failedLookups = [&client] {
            return client.console.texts().count(QStringLiteral("Serwer host name unknown"));
        };
        QTimer& retry = client.link.timer(LinkTimer::Connect);

        client.link.start();
        QTRY_VERIFY_WITH_TIMEOUT(failedLookups() >= 1, Patience);
        QCOMPARE(client.window.windowState(), WindowState::Disconnected);
        QVERIFY(retry.isActive());

        // The quick retry, then every later one, fails the same way and keeps the slow pace.
        for (int attempt = 0; attempt < 3; ++attempt) {
            const qsizetype before = failedLookups();
            client.link.lifecycle().onTimer(LinkTimer::Connect);
            QTRY_VERIFY_WITH_TIMEOUT(failedLookups() > before, Patience);
            QVERIFY2(isSlowRetry(retry), qPrintable(QString::number(retry.interval())));
        }
    }

    void searchThatCannotStartIsRetried()
    {
        // Every draw of the discovery socket's port finds it taken.
        QUdpSocket blocker;
        const int busy = holdDiscoveryPort(blocker);
        QVERIFY(busy >= 0);
        ManualClock alwaysBusy;
        alwaysBusy.draw = [busy](int) {
            return busy;
        };
        ServerDiscovery unbindable([] { return QList<QHostAddress>{QHostAddress::LocalHost}; }, alwaysBusy, 9,
                                   std::chrono::milliseconds(20));
        LinkUnderTest first(0);
        startSearching(first, unbindable);
        QCOMPARE(first.window.lastStatus(), QStringLiteral("The server address has not been found"));
        QVERIFY(isSlowRetry(first.link.timer(LinkTimer::Connect)));

        // The question cannot be sent anywhere: an IPv6 address from the IPv4 socket.
        ServerDiscovery unsendable([] { return QList<QHostAddress>{QHostAddress::LocalHostIPv6}; }, Clock::system(), 9,
                                   std::chrono::milliseconds(20));
        LinkUnderTest second(0);
        startSearching(second, unsendable);
        QCOMPARE(second.window.lastStatus(), QStringLiteral("Searching has been finished"));
        QVERIFY(isSlowRetry(second.link.timer(LinkTimer::Connect)));
        // When the retry comes the search is tried again, and it keeps being retried.
        second.link.lifecycle().onTimer(LinkTimer::Connect);
        QCOMPARE(second.console.texts().count(QStringLiteral("Error while searching for server...")), 2);
        QVERIFY(isSlowRetry(second.link.timer(LinkTimer::Connect)));
    }

    void logoutThenStartKeepsTheNewConnection()
    {
        StandInWithClient session;
        QString error;
        QVERIFY2(session.startAndLogIn(&error), qPrintable(error));
        LinkUnderTest& client = *session.client;

        // Resuming from sleep right after the logout was sent: the wait for the logout's reply ends with it.
        client.link.disconnectFromServer();
        client.link.restart();
        QVERIFY(!client.link.timer(LinkTimer::DisconnectSleep).isActive());
        QTRY_VERIFY_WITH_TIMEOUT(client.loggedIn(), Patience);
        QVERIFY(session.standIn.control(QStringLiteral("sessions")).contains(QStringLiteral("21")));

        // A logout left alone closes the link once answered, and leaves the next attempt armed.
        client.link.disconnectFromServer();
        QTRY_VERIFY_WITH_TIMEOUT(!client.link.isConnected(), Patience);
        QCOMPARE(client.window.lastStatus(), QStringLiteral("Disconnected from server"));
        QVERIFY(isSlowRetry(client.link.timer(LinkTimer::Connect)));
        client.link.lifecycle().onTimer(LinkTimer::Connect);
        QTRY_VERIFY_WITH_TIMEOUT(client.loggedIn(), Patience);
    }
};

QTEST_GUILESS_MAIN(TestLinkRecovery)
#include "TestLinkRecovery.moc"
