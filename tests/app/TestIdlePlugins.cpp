#include "app/IdlePlugins.h"
#include "plugins/IdleTimeWatch.h"
#include "support/PrivateSessionBus.h"
#include "support/VirtualDisplay.h"

#include <QDBusAbstractAdaptor>
#include <QFileInfo>
#include <QThread>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString binaryFolder(const char* below)
{
    return qEnvironmentVariable("TERVO_BINARY_DIR") + QLatin1String(below);
}

// A desktop's screen saver service that answers with the idle time the test sets.
class FakeScreenSaver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    std::atomic<uint> idleTime{0};

public slots:
    uint GetSessionIdleTime() { return idleTime; }
};

// logind's session object with the idle hint the test sets.
class FakeLogindSession final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool IdleHint READ idleHint)

public:
    std::atomic<bool> idle{false};
    bool idleHint() const { return idle; }
};

// The environment of a Wayland session whose session and system buses are the test's own bus.
class WaylandSession final {
public:
    explicit WaylandSession(const QString& busAddress)
    {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS",
                                 "TERVO_IDLE_POLL_MS"}) {
            m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        }
        qunsetenv("DISPLAY");
        qputenv("WAYLAND_DISPLAY", "wayland-test");
        qputenv("DBUS_SESSION_BUS_ADDRESS", busAddress.toUtf8());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", busAddress.toUtf8());
        qputenv("TERVO_IDLE_POLL_MS", "20");
    }
    ~WaylandSession()
    {
        for (const Saved& saved : std::as_const(m_saved)) {
            saved.wasSet ? qputenv(saved.name, saved.value) : qunsetenv(saved.name);
        }
    }
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    QList<Saved> m_saved;
};

// Serves a fake on the bus from a thread of its own, since loading the plug-ins blocks the test's thread while
// they ask.
class ServedFake final {
public:
    ServedFake(PrivateSessionBus& bus, QObject& fake, const QString& service, const QString& path)
        : m_connection(bus.connect(service))
        , m_service(service)
    {
        m_thread.start();
        fake.moveToThread(&m_thread);
        m_registered = m_connection.registerService(service) &&
                       m_connection.registerObject(path, &fake, QDBusConnection::ExportAllSlots |
                                                                    QDBusConnection::ExportAllProperties);
        m_fake = &fake;
    }
    ~ServedFake()
    {
        m_connection.unregisterObject(QStringLiteral("/"), QDBusConnection::UnregisterTree);
        m_connection.unregisterService(m_service);
        QThread* const home = QThread::currentThread();
        QObject* const fake = m_fake;
        QMetaObject::invokeMethod(
            fake, [fake, home] { fake->moveToThread(home); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    ServedFake(const ServedFake&) = delete;
    ServedFake& operator=(const ServedFake&) = delete;

    bool isRegistered() const { return m_registered; }

private:
    QDBusConnection m_connection;
    QString m_service;
    QThread m_thread;
    QObject* m_fake = nullptr;
    bool m_registered = false;
};

} // namespace

// The loader of the idle plug-ins: missing and wrong plug-ins told once each, stand-in plug-ins installed and
// reporting, and the real plug-ins seeing a pointer move on an X server of the test's own.
class TestIdlePlugins final : public QObject {
    Q_OBJECT

private slots:
    void missingPluginsAreToldOnce()
    {
        QTemporaryDir empty;
        QStringList shown;
        IdlePlugins plugins(empty.path() + u'/', [&shown](const QString& text) { shown.append(text); });
        QVERIFY(!plugins.loadHooks());
        QVERIFY(!plugins.loadHooks());
        QCOMPARE(shown, (QStringList{QStringLiteral("Error: MouseHook.so not found."),
                                     QStringLiteral("Error: KeyboardHook.so not found.")}));
        QVERIFY(plugins.removeHooks());
    }

    void standInPluginsInstallReportAndRefuse()
    {
        const QString folder = binaryFolder("/test-plugins/fake/");
        QStringList shown;
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QSignalSpy activity(&plugins, &IdlePlugins::activity);
            QVERIFY(plugins.loadHooks());
            QVERIFY(plugins.loadHooks()); // the second kind finds them installed
            QVERIFY(activity.wait(1000) || activity.size() > 0);
            QTRY_COMPARE(activity.size(), 2);
            QVERIFY(plugins.removeHooks());
            QVERIFY(!plugins.isInstalled());
        }
        QVERIFY(shown.isEmpty());

        qputenv("TERVO_FAKE_HOOK_REFUSE", "1");
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QVERIFY(!plugins.loadHooks());
            QVERIFY(!plugins.loadHooks());
        }
        qunsetenv("TERVO_FAKE_HOOK_REFUSE");
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().startsWith(QStringLiteral("Call forwarding is not active!")));

        shown.clear();
        qputenv("TERVO_FAKE_HOOK_NULL_RECORD", "1");
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QVERIFY(!plugins.loadHooks());
        }
        qunsetenv("TERVO_FAKE_HOOK_NULL_RECORD");
        QCOMPARE(shown, (QStringList{QStringLiteral("Error: Improper version of MouseHook.so file."),
                                     QStringLiteral("Improper version of KeyboardHook.so file.")}));
    }

    void realPluginsSeeAPointerMove()
    {
        const QString folder = binaryFolder("/bin/plugin/");
        if (!QFileInfo::exists(folder + QStringLiteral("MouseHook.so"))) {
            QSKIP("the idle plug-ins were not built (no X11/XInput2 development files)");
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            QSKIP("xdotool is not installed");
        }
        VirtualDisplay display;
        if (!display.isRunning()) {
            QSKIP("Xvfb is not installed or did not start");
        }
        const QByteArray previous = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.name().toLatin1());
        QStringList shown;
        IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
        const bool loaded = plugins.loadHooks();
        qputenv("DISPLAY", previous);
        QVERIFY2(loaded, qPrintable(shown.join(u'\n')));

        QSignalSpy activity(&plugins, &IdlePlugins::activity);
        QTest::qWait(200);
        QCOMPARE(activity.size(), 0);
        // Moved as a mouse moves it: a warp of the pointer by a program (xdotool mousemove) is not the user's input
        // and makes no raw event.
        QVERIFY(display.xdotool({QStringLiteral("mousemove_relative"), QStringLiteral("30"), QStringLiteral("30")}));
        QVERIFY(activity.wait(5000));
        QVERIFY(plugins.removeHooks());
    }

    void idleTimesBecomeActivityInAnyUnit()
    {
        IdleTimeWatch milliseconds;
        QVERIFY(!milliseconds.activitySeen(40)); // the first answer is the baseline
        QVERIFY(!milliseconds.activitySeen(1040));
        QVERIFY(!milliseconds.activitySeen(2040));
        QVERIFY(milliseconds.activitySeen(15));
        IdleTimeWatch seconds;
        QVERIFY(!seconds.activitySeen(0));
        QVERIFY(seconds.activitySeen(0)); // still busy
        QVERIFY(!seconds.activitySeen(1));
        QVERIFY(!seconds.activitySeen(1)); // a poll within the same second
        QVERIFY(seconds.activitySeen(0));
        IdleHintWatch hint;
        QVERIFY(!hint.activitySeen(false));
        QVERIFY(!hint.activitySeen(true));
        QVERIFY(!hint.activitySeen(true));
        QVERIFY(hint.activitySeen(false));
        QVERIFY(!hint.activitySeen(false));
    }

    // Without X (a Wayland session) the real plug-ins ask the screen saver service for the session's idle time,
    // failing that logind's idle hint, and fail to install when nobody answers.
    void realPluginsAskTheSessionWithoutX11()
    {
        const QString folder = binaryFolder("/bin/plugin/");
        if (!QFileInfo::exists(folder + QStringLiteral("MouseHook.so"))) {
            QSKIP("the idle plug-ins were not built");
        }
        PrivateSessionBus bus;
        if (!bus.isRunning()) {
            QSKIP("dbus-daemon is not installed or did not start");
        }
        const WaylandSession session(bus.address());
        QStringList shown;
        {
            IdlePlugins nobodyAnswers(folder, [&shown](const QString& text) { shown.append(text); });
            QVERIFY(!nobodyAnswers.loadHooks());
        }
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().startsWith(QStringLiteral("Call forwarding is not active!")));

        FakeScreenSaver screenSaver;
        screenSaver.idleTime = 1000;
        {
            const ServedFake served(bus, screenSaver, QStringLiteral("org.freedesktop.ScreenSaver"),
                                    QStringLiteral("/org/freedesktop/ScreenSaver"));
            QVERIFY(served.isRegistered());
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QSignalSpy activity(&plugins, &IdlePlugins::activity);
            QVERIFY(plugins.loadHooks());
            for (uint idle = 1100; idle < 1500; idle += 20) {
                screenSaver.idleTime = idle; // the user is away
                QTest::qWait(10);
            }
            QCOMPARE(activity.size(), 0);
            screenSaver.idleTime = 3;
            QVERIFY(activity.wait(5000));
            QVERIFY(plugins.removeHooks());
        }

        FakeLogindSession logind;
        logind.idle = true;
        {
            const ServedFake served(bus, logind, QStringLiteral("org.freedesktop.login1"),
                                    QStringLiteral("/org/freedesktop/login1/session/auto"));
            QVERIFY(served.isRegistered());
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QSignalSpy activity(&plugins, &IdlePlugins::activity);
            QVERIFY(plugins.loadHooks());
            QTest::qWait(100);
            QCOMPARE(activity.size(), 0);
            logind.idle = false;
            QVERIFY(activity.wait(5000));
            QVERIFY(plugins.removeHooks());
        }
        QCOMPARE(shown.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestIdlePlugins)

#include "TestIdlePlugins.moc"
