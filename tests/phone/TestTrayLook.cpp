#include "pbxlink/WindowState.h"
#include "phone/TrayLook.h"
#include "phone/WindowStateTable.h"

#include <QTest>

class TestTrayLook final : public QObject {
    Q_OBJECT

private slots:
    void flashingFollowsTheModeUntilModeTwo()
    {
        TrayLook look;
        look.setMode(0);
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 0);

        look.setMissedFlash(true);
        QCOMPARE(look.list(), TrayIconList::FlashGreen);
        QVERIFY(look.animated());
        look.setMode(1);
        QCOMPARE(look.list(), TrayIconList::FlashRed);
        look.setMissedFlash(false);
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 1);
        QVERIFY(!look.animated());

        look.setMissedFlash(true);
        look.setMode(2);
        QVERIFY(!look.flashing());
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 2);
        look.setMissedFlash(true); // flashing may start again while disconnected
        QCOMPARE(look.list(), TrayIconList::FlashGrey);
        look.setMode(3);
        QCOMPARE(look.mode(), 2);
    }

    void connectingTimesOutToModeTwo()
    {
        TrayLook look;
        look.setMode(4);
        QCOMPARE(look.list(), TrayIconList::Connecting);
        QVERIFY(look.animated());
        QVERIFY(look.connectingTimerRunning());
        look.setMissedFlash(true); // keeps the connecting animation
        QCOMPARE(look.list(), TrayIconList::Connecting);

        look.connectingTimedOut();
        QCOMPARE(look.mode(), 2);
        QVERIFY(!look.connectingTimerRunning());
        QVERIFY(!look.flashing());
        QCOMPARE(look.list(), TrayIconList::Static);
        QCOMPARE(look.index(), 2);

        look.setMode(4);
        look.setMode(0); // logged in before the time ran out
        QVERIFY(!look.connectingTimerRunning());
        look.connectingTimedOut(); // a firing already on its way changes nothing
        QCOMPARE(look.mode(), 0);
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

        QCOMPARE(WindowStateTable::trayMode(WindowState::Connecting), 4);
        QCOMPARE(WindowStateTable::trayMode(WindowState::CallEnded), -1);
        QCOMPARE(WindowStateTable::icon(14), StateIcon::Connected);
        QCOMPARE(WindowStateTable::icon(WindowState::HandsetEvent), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestTrayLook)
#include "TestTrayLook.moc"
