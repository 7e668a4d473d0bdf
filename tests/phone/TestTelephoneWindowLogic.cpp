#include "WindowHarness.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QTemporaryDir>
#include <QtTest>

class TestTelephoneWindowLogic final : public QObject {
    Q_OBJECT

private slots:
    void transientStatesEndWhereTheyShould()
    {
        WindowHarness phone;
        // A call that ended goes back to idle within the same call.
        phone.window.setState(WindowState::CallEnded);
        QCOMPARE(phone.window.state(), WindowState::Idle);
        // IdleShow is idle with the window shown.
        const int popUps = phone.view.popUps;
        phone.window.setState(WindowState::IdleShow);
        QCOMPARE(phone.window.state(), WindowState::Idle);
        QCOMPARE(phone.view.popUps, popUps + 1);
        // A handset event keeps the look the window had.
        phone.window.setState(WindowState::Ringing);
        phone.window.setState(WindowState::HandsetEvent);
        QCOMPARE(phone.window.state(), WindowState::Ringing);
        // A value past the table (only a cast makes one) is stored and changes nothing else.
        const MenuItems before = phone.view.enabled;
        const auto pastTheTable = static_cast<WindowState>(42);
        phone.window.setState(pastTheTable);
        QCOMPARE(phone.window.state(), pastTheTable);
        QCOMPARE(phone.view.enabled, before);
    }

    void withoutLinkTheServicesAreOffAndTypingKeepsThemOff()
    {
        WindowHarness phone;
        phone.window.setState(WindowState::Disconnected);
        QVERIFY(!phone.view.enabled.testFlag(MenuItem::Services));
        QVERIFY(phone.view.enabled.testFlag(MenuItem::Book));
        QCOMPARE(phone.view.area, QStringLiteral("No connection...(Ctrl+K)"));
        QCOMPARE(phone.view.trayIndex, 2);

        phone.window.entryEdited(QStringLiteral("123"));
        QCOMPARE(phone.window.state(), WindowState::Disconnected);
        QVERIFY(!phone.view.enabled.testFlag(MenuItem::Services));

        // Esc while connecting leaves the services off too.
        phone.window.setState(WindowState::Connecting);
        const MenuItems connecting = phone.view.enabled;
        QVERIFY(!connecting.testFlag(MenuItem::Park) && !connecting.testFlag(MenuItem::Lock));
        phone.window.cancelCall();
        QCOMPARE(phone.window.state(), WindowState::Connecting);
        QCOMPARE(phone.view.enabled, connecting);
        QVERIFY(phone.takeCommands().isEmpty());
    }

    void theEntryLineDialsItsDigitsAlone()
    {
        WindowHarness phone;
        phone.window.entryEdited(QStringLiteral("(0 12) 345-67"));
        QCOMPARE(phone.window.state(), WindowState::NumberReady);
        phone.window.dial();
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ 01234567")});
        QCOMPARE(phone.window.redialList().lines().first(), QStringLiteral("01234567"));
        QVERIFY(phone.view.entry.isEmpty());

        // A typed "+" is dialled as the exchange dials it.
        phone.receive(QStringLiteral("aREL 21__ 16"));
        phone.window.entryEdited(QStringLiteral("+48 22 555 01 02"));
        phone.window.dial();
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(phone.takeCommands().last(), QStringLiteral("aDIAL 21__ 0048225550102"));

        WindowHarness letters;
        letters.window.entryEdited(QStringLiteral("Kowalski"));
        QCOMPARE(letters.window.state(), WindowState::NumberEntry);
        letters.window.dial();
        QVERIFY(letters.takeCommands().isEmpty());
    }

    void redialBrowsingPlacesNumbersAndDoesNotAddThemAgain()
    {
        WindowHarness phone;
        phone.window.addNumber(QStringLiteral("111"));
        phone.window.addNumber(QStringLiteral("222"));
        phone.books.add(QStringLiteral("Anna"), QStringLiteral("111"), 4, QStringLiteral("5"));

        phone.window.redialNext();
        QCOMPARE(phone.view.entry, QStringLiteral("222"));
        QCOMPARE(phone.window.state(), WindowState::NumberReady);
        phone.window.redialNext();
        // A number a book knows shows its entry and the kind of number.
        QCOMPARE(phone.view.entry, QStringLiteral("111"));
        QCOMPARE(phone.view.showText, QStringLiteral("Anna"));
        QCOMPARE(phone.view.info, QStringLiteral("mobile 111"));
        QCOMPARE(phone.window.state(), WindowState::NumberEntry);
        phone.window.redialPrevious();
        QCOMPARE(phone.view.entry, QStringLiteral("222"));

        phone.window.dial();
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        QCOMPARE(phone.window.redialList().lines().mid(0, 2),
                 (QStringList{QStringLiteral("222"), QStringLiteral("111")}));
        QVERIFY(!phone.window.redialBrowsing());

        WindowHarness empty;
        empty.window.entryEdited(QStringLiteral("55"));
        empty.window.redialNext();
        QCOMPARE(empty.view.entry, QString());
        QCOMPARE(empty.window.entryText(), QStringLiteral("55"));
    }

    void missedCallsAreCountedWhenTheWindowBecomesIdle()
    {
        WindowHarness phone;
        phone.settings.Historia.Stracone = true;
        phone.settings.Historia.Mrugaj = true;
        phone.settings.Historia.OtworzDom = true;
        phone.books.unseen = 0;
        phone.window.setState(WindowState::Idle);
        QCOMPARE(phone.view.area, QString());

        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        phone.books.unseen = 2;
        phone.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(phone.window.state(), WindowState::Idle);
        QCOMPARE(phone.view.area, QStringLiteral("Missed: 2"));
        QCOMPARE(phone.view.trayHint, QStringLiteral("Number of missed calls: 2"));
        QVERIFY(phone.window.missedPending());
        QVERIFY(phone.view.trayDefaultHistory);
        QCOMPARE(phone.view.trayList, TrayIconList::FlashGreen);

        phone.books.unseen = 0;
        phone.window.setMissed(false);
        QCOMPARE(phone.view.area, QString());
        QCOMPARE(phone.view.trayList, TrayIconList::Static);
        QVERIFY(!phone.view.trayDefaultHistory);

        // Without the setting the count is not shown.
        phone.settings.Historia.Stracone = false;
        phone.books.unseen = 3;
        phone.window.setState(WindowState::Idle);
        QCOMPARE(phone.view.area, QString());
    }

    void theCallerIsNamedFromTheBooksBeforeTheExchange()
    {
        WindowHarness phone;
        phone.settings.Ogolne.ShowCmt = true;
        phone.settings.Ogolne.PokazOd = true;
        phone.books.add(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"));
        phone.books.add(QStringLiteral("Sales"), QStringLiteral("300"));
        phone.receive(QStringLiteral("aRING 21__ 600123456 0 300 0 Somebody Else"));
        QCOMPARE(phone.view.showText, QStringLiteral("From: Jan Kowalski"));
        QCOMPARE(phone.view.showHint, QStringLiteral("From: 600123456"));
        QCOMPARE(phone.view.trayHint, QStringLiteral("Calling: Jan Kowalski"));
        QCOMPARE(phone.view.info, QStringLiteral("To: Sales"));
        QCOMPARE(phone.window.state(), WindowState::Ringing);
        phone.receive(QStringLiteral("aREL 21__ 16"));

        // Unknown to the books: the exchange's name when wanted, never "_".
        phone.receive(QStringLiteral("aRING 21__ /700 0 21 0 Anna Nowak"));
        QCOMPARE(phone.view.showText, QStringLiteral("From: Anna Nowak"));
        QCOMPARE(phone.window.callNumber(), QStringLiteral("700"));
        phone.receive(QStringLiteral("aREL 21__ 16"));
        phone.receive(QStringLiteral("aRING 21__ 701 0 21 0 _"));
        QCOMPARE(phone.view.showText, QStringLiteral("From: 701"));
        phone.receive(QStringLiteral("aREL 21__ 16"));

        phone.books.online = false;
        phone.receive(QStringLiteral("aRING 21__ 702 0 21"));
        QCOMPARE(phone.view.info, QStringLiteral("phone book is offline"));
    }

    void escapeEndsWhatTheStateAllows()
    {
        WindowHarness phone;
        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        phone.window.cancelCall();
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aREJ 21__")});
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aREL 21__ 16"));

        // The green key answers a ringing call.
        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        phone.window.confirm();
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aREL 21__ 16"));

        phone.settings.Ogolne.PytajEsc = true;
        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        phone.receive(QStringLiteral("aCONN 21__ 600123456"));
        QCOMPARE(phone.window.state(), WindowState::IncomingConnected);
        phone.view.answer = false;
        phone.window.cancelCall();
        QCOMPARE(phone.view.questions.size(), 1);
        QVERIFY(phone.takeCommands().isEmpty());
        phone.view.answer = true;
        phone.window.cancelCall();
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aHANG 21__")});
    }

    void keypadDigitsInAConversationGoToTheExchange()
    {
        WindowHarness phone;
        phone.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        phone.receive(QStringLiteral("aCONN 21__ 600123456"));
        QVERIFY(phone.window.keypadKey(u'5'));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ 5")});
        QCOMPARE(phone.window.state(), WindowState::IncomingConnected);
        QCOMPARE(phone.view.showText, QStringLiteral("Dialing the number from keypad"));
        // The duration, with the charge once the exchange advises it; the next call starts without it.
        phone.receive(QStringLiteral("aAOC 21__ 0.42 EUR"));
        phone.window.tickCallTimer(10);
        phone.window.tickCallTimer(12);
        QCOMPARE(phone.view.info, QStringLiteral("0:02  0.42 EUR"));
        QVERIFY(!phone.window.keypadKey(u'x'));

        WindowHarness idle;
        QVERIFY(!idle.window.keypadKey(u'5'));
    }

    void numbersFromOtherProgramsAreDialledOnlyWhenABookKnowsThem()
    {
        WindowHarness phone;
        phone.books.add(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"), 2);
        phone.window.placeNumber(QStringLiteral("tel:777"));
        QCOMPARE(phone.view.entry, QStringLiteral("777"));
        QCOMPARE(phone.window.state(), WindowState::NumberEntry);
        QVERIFY(phone.view.popUps > 0);
        QVERIFY(phone.takeCommands().isEmpty());

        // While a call rings nothing is dialled: that would answer it.
        phone.receive(QStringLiteral("aRING 21__ 700123 0 21"));
        phone.window.placeNumber(QStringLiteral("600123456"));
        phone.window.dial();
        QCOMPARE(phone.window.state(), WindowState::Ringing);
        QVERIFY(phone.takeCommands().isEmpty());
        phone.receive(QStringLiteral("aREL 21__ 16"));

        phone.window.placeNumber(QStringLiteral("tervop:600123456/"));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ 600123456")});
    }

    void numbersFromOtherProgramsTakeTheBooksForm()
    {
        WindowHarness phone;
        phone.books.add(QStringLiteral("Anna Nowak"), QStringLiteral("601222333"));
        phone.window.placeNumber(QStringLiteral("tel:+48-601-222-333"));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        QCOMPARE(phone.window.redialList().lines().first(), QStringLiteral("601222333"));
        phone.receive(QStringLiteral("aOK"));
        phone.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ 601222333")});

        // Another country keeps its code behind "00"; unknown to the books, it only waits in the entry line.
        WindowHarness abroad;
        abroad.window.placeNumber(QStringLiteral("callto:+44 20 7946 0000"));
        QCOMPARE(abroad.view.entry, QStringLiteral("00442079460000"));
        QVERIFY(abroad.takeCommands().isEmpty());
        // The books may keep national numbers with a leading "0".
        WindowHarness zero;
        zero.books.addCountryZero = true;
        zero.window.placeNumber(QStringLiteral("+48 601 222 333"));
        QCOMPARE(zero.view.entry, QStringLiteral("0601222333"));
    }

    void aCallerWaitingIsAnnouncedAndShownAgain()
    {
        WindowHarness phone;
        phone.settings.Ogolne.ShowCmt = true;
        phone.books.add(QStringLiteral("Jan Kowalski"), QStringLiteral("600111222"));
        phone.receive(QStringLiteral("aRING 21__ 600111222 0 21"));
        phone.receive(QStringLiteral("aCONN 21__ 600111222"));
        phone.receive(QStringLiteral("aRING 21__ 700333444 0 21 0 Ewa"));
        QCOMPARE(phone.window.state(), WindowState::IncomingConnected);
        QCOMPARE(phone.view.showText, QStringLiteral("Waiting: Ewa"));
        QVERIFY(phone.window.notice().temporaryShowing());
        phone.window.showWaiting();
        QCOMPARE(phone.view.showText, QStringLiteral("Waiting: Ewa"));
        QCOMPARE(phone.view.showHint, QStringLiteral("700333444"));
    }

    void aStartUpNumberWaitsForTheLogin()
    {
        WindowHarness phone;
        phone.books.add(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"));
        phone.window.setState(WindowState::Disconnected);
        phone.window.setPendingDial(QStringLiteral("600123456"));
        phone.window.placeNumber(QStringLiteral("callto:700"));
        QCOMPARE(phone.window.pendingDial(), QStringLiteral("700"));
        QVERIFY(phone.takeCommands().isEmpty());

        phone.window.setPendingDial(QStringLiteral("600123456"));
        phone.window.setState(WindowState::Idle);
        phone.window.runPendingStartupRequest();
        QVERIFY(phone.window.pendingDial().isEmpty());
        QCOMPARE(phone.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
    }

    void theRedialListSurvivesARestart()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("data/redial.dat"));
        {
            WindowHarness phone;
            QVERIFY(phone.window.loadRedialList(path));
            phone.window.entryEdited(QStringLiteral("123"));
            phone.window.dial();
            QVERIFY(phone.window.saveRedialList(path));
        }
        WindowHarness again;
        QVERIFY(again.window.loadRedialList(path));
        again.window.redialNext();
        QCOMPARE(again.view.entry, QStringLiteral("123"));
    }

    void closingSwitchesOnWhatTheSettingsAsk()
    {
        WindowHarness phone;
        phone.settings.Ogolne.AutoBlokada = true;
        phone.settings.Siec.Klucz = QStringLiteral("4321");
        phone.settings.DND.DNDClose = true;
        phone.window.applyClosingServices();
        const QStringList commands = phone.takeCommands();
        QCOMPARE(commands.size(), 1);
        QVERIFY(commands.first().startsWith(QStringLiteral("aLOCK 21__")));
        phone.receive(QStringLiteral("aOK"));
        QCOMPARE(phone.takeCommands().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTelephoneWindowLogic)
#include "TestTelephoneWindowLogic.moc"
