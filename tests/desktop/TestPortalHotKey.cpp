#include "FakeGlobalShortcutsPortal.h"
#include "desktop/PortalHotKey.h"
#include "support/PrivateSessionBus.h"

#include <QSignalSpy>
#include <QTest>

namespace {

HotKeyChoice choice(int value)
{
    return *HotKeyChoice::forValue(value);
}

// The fake portal and the hot key on a bus of their own, and what the hot key tells.
struct PortalScene {
    PrivateSessionBus bus;
    FakeGlobalShortcutsPortal portal{bus.connect(QStringLiteral("portal"))};
    PortalHotKey hotKey{bus.connect(QStringLiteral("client"))};
    QSignalSpy bound{&hotKey, &PortalHotKey::bound};
    QSignalSpy pressed{&hotKey, &PortalHotKey::pressed};
    QSignalSpy unavailable{&hotKey, &PortalHotKey::unavailable};
};

} // namespace

// The hot key through the desktop portal's global shortcuts, against a fake portal on a session bus of the test's
// own: the shortcut bound with the key's trigger text, Activated of our session and shortcut pressing and any
// other not, and a portal that refuses, errs or is missing giving unavailable().
class TestPortalHotKey final : public QObject {
    Q_OBJECT

private slots:
    void everyKeyIsWrittenInTheShortcutSyntax()
    {
        QCOMPARE(PortalHotKey::triggerText(choice(0)), QStringLiteral("CTRL+ALT+0"));
        QCOMPARE(PortalHotKey::triggerText(choice(3)), QStringLiteral("CTRL+ALT+3"));
        QCOMPARE(PortalHotKey::triggerText(choice(9)), QStringLiteral("CTRL+ALT+9"));
        QCOMPARE(PortalHotKey::triggerText(choice(10)), QStringLiteral("CTRL+ALT+KP_Multiply"));
        QCOMPARE(PortalHotKey::triggerText(choice(11)), QStringLiteral("Scroll_Lock"));
        QCOMPARE(PortalHotKey::triggerText(choice(12)), QStringLiteral("Print"));
        QCOMPARE(PortalHotKey::triggerText(choice(17)), QStringLiteral("CTRL+ALT+a"));
        QCOMPARE(PortalHotKey::triggerText(choice(42)), QStringLiteral("CTRL+ALT+z"));
    }

    void theShortcutIsBoundAndOnlyOurActivationPresses()
    {
        PortalScene scene;
        if (!scene.bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        QVERIFY(scene.portal.offer());

        scene.hotKey.bind(choice(3));
        QVERIFY(!scene.hotKey.isBound()); // nothing waited for on the caller's thread
        QVERIFY(scene.bound.wait(PrivateSessionBus::PatienceMs));
        QVERIFY(scene.hotKey.isBound());
        QCOMPARE(scene.portal.sessions.size(), 1);
        QCOMPARE(scene.portal.boundSession, scene.portal.sessions.at(0));
        QCOMPARE(scene.portal.bound.size(), 1);
        QCOMPARE(scene.portal.bound.at(0).id, QStringLiteral("toggle-window"));
        QCOMPARE(scene.portal.bound.at(0).properties.value(QStringLiteral("preferred_trigger")).toString(),
                 QStringLiteral("CTRL+ALT+3"));
        QVERIFY(!scene.portal.bound.at(0).properties.value(QStringLiteral("description")).toString().isEmpty());

        // Another session's or another shortcut's activation does not press; signals of one sender keep their
        // order, so the last one, ours, proves the others were seen.
        const QString session = scene.portal.sessions.at(0);
        scene.portal.activate(session + QStringLiteral("x"), QStringLiteral("toggle-window"));
        scene.portal.activate(session, QStringLiteral("other"));
        scene.portal.activate(session, QStringLiteral("toggle-window"));
        QVERIFY(scene.pressed.wait(PrivateSessionBus::PatienceMs));
        scene.portal.activate(session, QStringLiteral("toggle-window"));
        QVERIFY(scene.pressed.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.pressed.size(), 2);

        // Another key: a new session with the new trigger; the old session presses no more.
        scene.hotKey.bind(choice(11));
        QVERIFY(scene.bound.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.portal.sessions.size(), 2);
        QCOMPARE(scene.portal.boundSession, scene.portal.sessions.at(1));
        QCOMPARE(scene.portal.closed, QStringList{session});
        QCOMPARE(scene.portal.bound.at(0).properties.value(QStringLiteral("preferred_trigger")).toString(),
                 QStringLiteral("Scroll_Lock"));
        scene.portal.activate(session, QStringLiteral("toggle-window"));
        scene.portal.activate(scene.portal.sessions.at(1), QStringLiteral("toggle-window"));
        QVERIFY(scene.pressed.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.pressed.size(), 3);

        // Released, nothing presses.
        scene.hotKey.release();
        QVERIFY(!scene.hotKey.isBound());
        scene.portal.activate(scene.portal.sessions.at(1), QStringLiteral("toggle-window"));
        scene.hotKey.bind(choice(3));
        QVERIFY(scene.bound.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.pressed.size(), 3);
        QCOMPARE(scene.unavailable.size(), 0);
        QCOMPARE(scene.portal.closed, (QStringList{session, scene.portal.sessions.at(1)}));
    }

    void aSessionNoLongerWantedIsClosedWhenItComes()
    {
        PortalScene scene;
        if (!scene.bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        QVERIFY(scene.portal.offer());
        // The second key is asked for before the portal has answered for the first.
        scene.hotKey.bind(choice(3));
        scene.hotKey.bind(choice(11));
        QVERIFY(scene.bound.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.portal.sessions.size(), 2);
        QCOMPARE(scene.portal.boundSession, scene.portal.sessions.at(1));
        QCOMPARE(scene.portal.bound.at(0).properties.value(QStringLiteral("preferred_trigger")).toString(),
                 QStringLiteral("Scroll_Lock"));
        QCOMPARE(scene.portal.closed, QStringList{scene.portal.sessions.at(0)});
        QCOMPARE(scene.bound.size(), 1);
    }

    void aRefusingOrErringPortalLeavesTheKeyUnavailable_data()
    {
        QTest::addColumn<uint>("createSessionCode");
        QTest::addColumn<uint>("bindCode");
        QTest::newRow("session cancelled") << 1U << 0U;
        QTest::newRow("session failed") << 2U << 0U;
        QTest::newRow("session error") << FakeGlobalShortcutsPortal::AnswerWithError << 0U;
        QTest::newRow("binding cancelled") << 0U << 1U;
        QTest::newRow("binding failed") << 0U << 2U;
        QTest::newRow("binding error") << 0U << FakeGlobalShortcutsPortal::AnswerWithError;
    }

    void aRefusingOrErringPortalLeavesTheKeyUnavailable()
    {
        QFETCH(uint, createSessionCode);
        QFETCH(uint, bindCode);
        PortalScene scene;
        if (!scene.bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        scene.portal.createSessionCode = createSessionCode;
        scene.portal.bindCode = bindCode;
        QVERIFY(scene.portal.offer());

        scene.hotKey.bind(choice(3));
        QVERIFY(scene.unavailable.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.unavailable.size(), 1);
        QCOMPARE(scene.bound.size(), 0);
        QVERIFY(!scene.hotKey.isBound());
        if (!scene.portal.sessions.isEmpty()) {
            scene.portal.activate(scene.portal.sessions.at(0), QStringLiteral("toggle-window"));
        }
        // A second bind, now granted, proves the activation above was seen and did not press.
        scene.portal.createSessionCode = 0;
        scene.portal.bindCode = 0;
        scene.hotKey.bind(choice(3));
        QVERIFY(scene.bound.wait(PrivateSessionBus::PatienceMs));
        QCOMPARE(scene.pressed.size(), 0);
        QCOMPARE(scene.unavailable.size(), 1);
    }

    void withoutAPortalTheKeyIsUnavailable()
    {
        PrivateSessionBus bus;
        if (!bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        PortalHotKey hotKey(bus.connect(QStringLiteral("client")));
        QSignalSpy unavailable(&hotKey, &PortalHotKey::unavailable);
        hotKey.bind(choice(11));
        QVERIFY(unavailable.wait(PrivateSessionBus::PatienceMs));
        QVERIFY(!hotKey.isBound());
    }
};

QTEST_GUILESS_MAIN(TestPortalHotKey)
#include "TestPortalHotKey.moc"
