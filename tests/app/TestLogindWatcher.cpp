#include "app/LogindWatcher.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Interface = QStringLiteral("org.freedesktop.login1.Manager");

void announce(QDBusConnection& sender, const QString& signal, bool before)
{
    QDBusMessage message = QDBusMessage::createSignal(Path, Interface, signal);
    message << before;
    QVERIFY(sender.send(message));
}

} // namespace

// The watcher against a stand-in for logind on a bus of the test's own: only the events' "after waking" and
// "before shutting down" halves are told, and only when they come from the name logind owns.
class TestLogindWatcher final : public QObject {
    Q_OBJECT

private slots:
    void tellsWakingAndShutdownFromLogindOnly()
    {
        PrivateSessionBus bus;
        if (!bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        QDBusConnection logind = bus.connect(QStringLiteral("logind"));
        QDBusConnection impostor = bus.connect(QStringLiteral("impostor"));
        QVERIFY(logind.interface()->registerService(QStringLiteral("org.freedesktop.login1")).isValid());

        LogindWatcher watcher(bus.connect(QStringLiteral("client")));
        QVERIFY(watcher.isWatching());
        QSignalSpy resumed(&watcher, &LogindWatcher::resumed);
        QSignalSpy shutdown(&watcher, &LogindWatcher::shutdownComing);

        announce(impostor, QStringLiteral("PrepareForShutdown"), true);
        announce(logind, QStringLiteral("PrepareForSleep"), true);
        announce(logind, QStringLiteral("PrepareForShutdown"), false);
        announce(logind, QStringLiteral("PrepareForSleep"), false);
        QVERIFY(resumed.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(shutdown.count(), 0);

        announce(logind, QStringLiteral("PrepareForShutdown"), true);
        QVERIFY(shutdown.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(resumed.count(), 1);
        QCOMPARE(shutdown.count(), 1);
    }

    void withoutABusNothingIsWatched()
    {
        const LogindWatcher watcher(QDBusConnection(QStringLiteral("never connected")));
        QVERIFY(!watcher.isWatching());
    }
};

QTEST_GUILESS_MAIN(TestLogindWatcher)
#include "TestLogindWatcher.moc"
