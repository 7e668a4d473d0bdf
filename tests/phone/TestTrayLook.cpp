#include "pbxlink/lifecycle/WindowState.h"
#include "phone/TrayLook.h"
#include "phone/WindowStateTable.h"

#include <QTest>

class TestTrayLook final : public QObject {
    Q_OBJECT

private slots:
    void flashingFollowsTheModeUntilNoConnection()
    {
        TrayLook look;
        look.setMode(TrayMode::Normal);
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 0);

        look.setMissedFlash(true);
        QCOMPARE(look.list(), TrayIconList::FlashGreen);
        QVERIFY(look.animated());
        look.setMode(TrayMode::Call);
        QCOMPARE(look.list(), TrayIconList::FlashRed);
        look.setMissedFlash(false);
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 1);
        QVERIFY(!look.animated());

        look.setMissedFlash(true);
        look.setMode(TrayMode::NoConnection);
        QVERIFY(!look.flashing());
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 2);
        look.setMissedFlash(true); // flashing may start again while disconnected
        QCOMPARE(look.list(), TrayIconList::FlashGrey);
        look.setMode(static_cast<TrayMode>(3)); // no mode: ignored
        QCOMPARE(look.mode(), TrayMode::NoConnection);
    }

    void connectingTimesOutToNoConnection()
    {
        TrayLook look;
        look.setMode(TrayMode::Connecting);
        QCOMPARE(look.list(), TrayIconList::Connecting);
        QVERIFY(look.animated());
        QVERIFY(look.connectingTimerRunning());
        look.setMissedFlash(true); // keeps the connecting animation
        QCOMPARE(look.list(), TrayIconList::Connecting);

        look.connectingTimedOut();
        QCOMPARE(look.mode(), TrayMode::NoConnection);
        QVERIFY(!look.connectingTimerRunning());
        QVERIFY(!look.flashing());
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 2);

        look.setMode(TrayMode::Connecting);
        look.setMode(TrayMode::Normal); // logged in before the time ran out
        QVERIFY(!look.connectingTimerRunning());
        look.connectingTimedOut(); // a firing already on its way changes nothing
        QCOMPARE(look.mode(), TrayMode::Normal);
    }

    void stateTableEnablesTheServicesOnlyWithALink()
    {
        using WindowStateTable::enabledItems;
        QCOMPARE(enabledItems(WindowState::Disconnected, true),
                 MenuItems(MenuItem::Book) | MenuItem::History | MenuItem::Notes | MenuItem::Minimize);
        QCOMPARE(enabledItems(WindowState::CallEnded, true), MenuItems(MenuItem::Services));
        QCOMPARE(enabledItems(WindowState::Connecting, false), MenuItems(MenuItem::Services));
        QVERIFY(enabledItems(WindowState::IncomingConnected, true).testFlag(MenuItem::MCIDCall));
        QVERIFY(!enabledItems(WindowState::IncomingConnected, false).testFlag(MenuItem::MCIDCall));
        QVERIFY(!enabledItems(WindowState::OutgoingConnected, true).testFlag(MenuItem::MCIDCall));
        QCOMPARE(enabledItems(WindowState::HandsetEvent, false), enabledItems(WindowState::Idle, false));

        QCOMPARE(WindowStateTable::trayMode(WindowState::Connecting), TrayMode::Connecting);
        QCOMPARE(WindowStateTable::trayMode(WindowState::CallEnded), std::nullopt);
        QCOMPARE(WindowStateTable::icon(WindowState::Resumed), StateIcon::Connected);
        QCOMPARE(WindowStateTable::icon(WindowState::HandsetEvent), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTrayLook)
#include "TestTrayLook.moc"
