#include "phone/IdleDetection.h"
#include "settings/SettingsRecord.h"

#include <QTest>
#include <limits>

namespace {

struct FakeHooks final : IdleHooks {
    bool loadHooks() override
    {
        ++loads;
        installed = loadsSucceed;
        return loadsSucceed;
    }
    bool removeHooks() override
    {
        ++removals;
        installed = false;
        return true;
    }
    bool loadsSucceed = true;
    bool installed = false;
    int loads = 0;
    int removals = 0;
};

struct RecordedActions final : IdleActions {
    void setForwarding(bool on) override { calls.append(on ? QStringLiteral("fwd on") : QStringLiteral("fwd off")); }
    void setDoNotDisturb(bool on) override { calls.append(on ? QStringLiteral("dnd on") : QStringLiteral("dnd off")); }
    QStringList calls;
};

struct Idle {
    Idle()
    {
        settings.Przeniesienie.IdleFwdTime = 10;
        settings.DND.IdleDNDTime = 5;
    }
    SettingsRecord settings{};
    FakeHooks hooks;
    RecordedActions actions;
    IdleDetection idle{settings, hooks, actions};
};

} // namespace

// Forwarding and DND on idle with the timers fired by the test and fake plug-ins.
class TestIdleDetection final : public QObject {
    Q_OBJECT

private slots:
    void intervalsComeFromTheSettingsWithinTheirRange()
    {
        Idle f;
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding));
        QCOMPARE(f.idle.forwardingTimer().interval(), 600000);
        QVERIFY(f.idle.forwardingTimer().isActive());
        for (int outside : {0, 72000, -3}) {
            QVERIFY(f.idle.idleSwitch(false, IdleDetection::Kind::Forwarding));
            f.settings.Przeniesienie.IdleFwdTime = outside;
            QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding));
            QCOMPARE(f.idle.forwardingTimer().interval(), 600000);
        }
        // 71999 minutes do not fit a timer's milliseconds: the longest interval it holds, not an overflow.
        f.settings.Przeniesienie.IdleFwdTime = 71999;
        QVERIFY(f.idle.idleSwitch(false, IdleDetection::Kind::Forwarding));
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding));
        QCOMPARE(f.idle.forwardingTimer().interval(), std::numeric_limits<int>::max());
        f.settings.Przeniesienie.IdleFwdTime = 35791;
        QVERIFY(f.idle.idleSwitch(false, IdleDetection::Kind::Forwarding));
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding));
        QCOMPARE(f.idle.forwardingTimer().interval(), 35791 * 60000);
        // Armed already: a new idle time from the configuration takes effect without switching off.
        f.settings.Przeniesienie.OnIdle = true;
        f.settings.Przeniesienie.IdleFwdTime = 3;
        f.idle.applySettings();
        QVERIFY(f.idle.isActive(IdleDetection::Kind::Forwarding));
        QCOMPARE(f.idle.forwardingTimer().interval(), 180000);
    }

    void hooksStayWhileEitherKindIsOnAndFailuresKeepTheKindOff()
    {
        Idle f;
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding));
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::Forwarding)); // already on: nothing again
        QVERIFY(f.idle.idleSwitch(true, IdleDetection::Kind::DoNotDisturb));
        QCOMPARE(f.hooks.loads, 2);
        QVERIFY(f.idle.idleSwitch(false, IdleDetection::Kind::Forwarding));
        QVERIFY(f.hooks.installed);
        QCOMPARE(f.hooks.removals, 0);
        QVERIFY(f.idle.idleSwitch(false, IdleDetection::Kind::DoNotDisturb));
        QVERIFY(!f.idle.dndTimer().isActive());
        QCOMPARE(f.hooks.removals, 1);

        f.hooks.loadsSucceed = false;
        QVERIFY(!f.idle.idleSwitch(true, IdleDetection::Kind::DoNotDisturb));
        QVERIFY(!f.idle.isActive(IdleDetection::Kind::DoNotDisturb));
    }

    void activityAfterIdleSwitchesForwardingOffOnceAndRestartsTheTimer()
    {
        Idle f;
        f.settings.Przeniesienie.OnIdle = true;
        f.idle.applySettings();
        QVERIFY(f.idle.isActive(IdleDetection::Kind::Forwarding));
        QVERIFY(!f.idle.isActive(IdleDetection::Kind::DoNotDisturb));

        emit f.idle.forwardingTimer().timeout({});
        QCOMPARE(f.actions.calls, QStringList{QStringLiteral("fwd on")});
        QVERIFY(!f.idle.forwardingTimer().isActive());
        QVERIFY(f.idle.forwardingByIdle());

        f.idle.activity();
        f.idle.activity();
        QCOMPARE(f.actions.calls, (QStringList{QStringLiteral("fwd on"), QStringLiteral("fwd off")}));
        QVERIFY(f.idle.forwardingTimer().isActive());
        QVERIFY(!f.idle.dndTimer().isActive());
    }

    void dndSwitchedOnByIdlenessEndsWithActivity()
    {
        Idle f;
        f.settings.DND.DNDIdle = true;
        f.idle.applySettings();
        QCOMPARE(f.idle.dndTimer().interval(), 300000);
        f.idle.activity(); // before idleness: only the restart
        QVERIFY(f.actions.calls.isEmpty());
        emit f.idle.dndTimer().timeout({});
        QVERIFY(f.idle.dndByIdle());
        f.idle.activity();
        f.idle.activity();
        QCOMPARE(f.actions.calls, (QStringList{QStringLiteral("dnd on"), QStringLiteral("dnd off")}));
        QVERIFY(f.idle.dndTimer().isActive());
    }
};

QTEST_GUILESS_MAIN(TestIdleDetection)

#include "TestIdleDetection.moc"
