// The real link finding its way back after whatever stopped it: a server name that does not resolve, a search that
// cannot start, a logout followed at once by a new start. Each against real sockets on loopback; the long waits
// between attempts are not waited for: the retry timer's interval is read and its handler run by the test.
#include "StandInClient.h"

#include <QTest>

namespace {

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
};

QTEST_GUILESS_MAIN(TestLinkRecovery)
#include "TestLinkRecovery.moc"
