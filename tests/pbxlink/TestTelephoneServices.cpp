#include "CallHarness.h"
#include "pbxlink/calls/DialLimit.h"
#include "pbxlink/calls/SpeedDialConverter.h"
#include "pbxlink/lifecycle/SynchronousWaits.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QTest>
#include <QTimer>

// The telephone services: what each sends, when, and what the client does with the exchange's replies.
class TestTelephoneServices final : public QObject {
    Q_OBJECT

private slots:
    void parkWhileOnHookPicksUpThenDialsAtDialTone()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        QVERIFY(services.park());
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        link.receive(QStringLiteral("aOK"));
        QVERIFY(link.takeCommands().isEmpty());
        link.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ /#31")});
        QCOMPARE(link.window.states.last(), WindowState::Dialling);

        // An error to such a pick-up forgets the digits: the next dial tone dials nothing.
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(services.park());
        link.takeCommands();
        link.receive(QStringLiteral("aERROR"));
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(link.takeCommands().isEmpty());
        QVERIFY(link.calls.state().rememberedDigits.isEmpty());
    }

    void refusedPickUpToDialShowsHandsetUp()
    {
        CallHarness link;
        QVERIFY(link.calls.services().dialDigits(QStringLiteral("600")));
        link.receive(QStringLiteral("aNA 5"));
        QCOMPARE(link.window.states.last(), WindowState::OffHook);
        QVERIFY(link.dialogs.errors.isEmpty());
        // The digits wait for the user to lift the handset.
        link.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(link.takeCommands().last(), QStringLiteral("aDIAL 21__ 600"));
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        // The user's own pick-up refused shows the exchange's message.
        link.receive(QStringLiteral("aSTAT 21__ h f d l a p r "));
        QVERIFY(link.calls.services().answer());
        link.receive(QStringLiteral("aNA 5"));
        QCOMPARE(link.dialogs.errors.size(), 1);
        QVERIFY(link.dialogs.errors.first().contains(QStringLiteral("Handset up")));
    }

    void pickUpToDialEndsWithItsCall()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        const CallState& state = link.calls.state();
        // The pick-up to dial is answered and the number dialled: a later refused pick-up of the user's own is
        // reported, not shown as the handset up.
        QVERIFY(services.dialDigits(QStringLiteral("600")));
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(!state.pickUpForDialling);
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aCONN 21__ 600"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        link.takeCommands();
        QVERIFY(services.answer());
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aPICK 21__")});
        link.receive(QStringLiteral("aNA 5"));
        QCOMPARE(link.dialogs.errors.size(), 1);
        QVERIFY(link.window.states.last() != WindowState::OffHook);

        // A release before the dial tone ends it too, and so does the user answering meanwhile.
        QVERIFY(services.dialDigits(QStringLiteral("601")));
        QVERIFY(state.pickUpForDialling);
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!state.pickUpForDialling);
        QVERIFY(services.dialDigits(QStringLiteral("602")));
        QVERIFY(services.answer());
        QVERIFY(!state.pickUpForDialling);
    }

    void digitLimitDependsOnTheExchange()
    {
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("Vexa"), QStringLiteral("9.99")), 16);
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("tolmo"), QStringLiteral("1.45")), 26);
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("Tolmo"), QStringLiteral("1.44")), 16);
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("Tolmo"), QStringLiteral("v2.0b")), 26);
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("Tolmo"), QStringLiteral("1.4x5")), 26);
        QCOMPARE(DialLimit::maximumDigits(QStringLiteral("Tolmo"), QString()), 16);

        CallHarness link(QStringLiteral("aOK Vexa 3.10 9"));
        link.receive(QStringLiteral("aDRDY 21__"));
        TelephoneServices& services = link.calls.services();
        QVERIFY(!services.dial(QStringLiteral("12345678901234567")));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aHANG 21__")});
        QCOMPARE(link.dialogs.warnings,
                 QStringList{QStringLiteral("Norvel Tervo Telephone|Number can't consist of more than 16 digits.")});
        link.receive(QStringLiteral("aOK"));
        QVERIFY(services.dial(QStringLiteral("/1234567890123456")));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ /1234567890123456")});
    }

    void servicesThatDoNotApplySendNothing()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        QVERIFY(!services.reject());
        QVERIFY(!services.deflect(QStringLiteral("22")));
        QVERIFY(!services.maliciousCall());
        QVERIFY(services.putDown());
        QVERIFY(link.takeCommands().isEmpty());

        link.receive(QStringLiteral("aRING 21__ 600 0 21"));
        QVERIFY(!services.dial(QStringLiteral("5")));
        QVERIFY(services.deflect(QStringLiteral("22")));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aREJ 21__ 22")});
        // While the deflection waits for its reply, the malicious-call mark is deferred, not lost.
        QVERIFY(services.maliciousCall());
        QVERIFY(link.takeCommands().isEmpty());
        link.receive(QStringLiteral("aOK"));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aMCID 21__")});

        // With the link closed nothing can be sent, and dialling on hook fails.
        link.socket.connected = false;
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!services.dialDigits(QStringLiteral("600")));
        QVERIFY(!link.calls.state().flags.dialAfterPickUp);
    }

    void hangUpRefusals()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(services.putDown());
        link.takeCommands();
        link.receive(QStringLiteral("aNA 14"));
        QCOMPARE(link.dialogs.errors,
                 QStringList{QStringLiteral("Norvel TelefonTervo|To disconnect please put the handset on hook.")});

        QVERIFY(services.putDown());
        link.takeCommands();
        link.receive(QStringLiteral("aNA 2"));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aRQST 21__")});
        QCOMPARE(link.dialogs.errors.size(), 1);

        // A code with a message of its own shows it under the service's title.
        QVERIFY(services.putDown());
        link.receive(QStringLiteral("aNA 3"));
        QCOMPARE(link.dialogs.errors.last(), QStringLiteral("Norvel TelefonTervo - Handset on hook|No call"));
    }

    void refusedDialCancelsTheCall()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(services.dial(QStringLiteral("600")));
        link.receive(QStringLiteral("aNA 5"));
        QCOMPARE(link.window.cancelledCalls, 1);
        QCOMPARE(link.dialogs.errors.last(),
                 QStringLiteral("Norvel TelefonTervo - Number dialling|Subscriber called by a group"));
        // A code without a message of its own gets the command's fallback.
        QVERIFY(services.setDoNotDisturb(true));
        link.receive(QStringLiteral("aNA 0"));
        QCOMPARE(link.dialogs.warnings.last(), QStringLiteral("Norvel TelefonTervo|DND service is unavailable"));
        // Code 1 logs in again instead of showing anything.
        QVERIFY(services.setLock(true, QStringLiteral("12")));
        link.takeCommands();
        link.receive(QStringLiteral("aNA 1"));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aLOGI 21__ 1234")});
        QCOMPARE(link.dialogs.warnings.size(), 1);
    }

    void acceptedDialStartsTheRecording()
    {
        CallHarness link;
        link.settings.Audio.NagrywanieWlaczone = true;
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(link.calls.services().dial(QStringLiteral("600")));
        QVERIFY(link.recorder.started.isEmpty());
        link.receive(QStringLiteral("aOK"));
        QCOMPARE(link.recorder.started.size(), 1);
        link.receive(QStringLiteral("aCONN 21__ 600"));
        QCOMPARE(link.recorder.started.size(), 1);
    }

    void dialOpensTheCallRecord()
    {
        CallHarness link;
        TelephoneServices& services = link.calls.services();
        link.settings.Ksiazka.LiniaZew1 = QStringLiteral("0");
        link.settings.Ksiazka.GorLinia = false;
        link.settings.Konta.AccHistory = false;
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(services.dial(QStringLiteral("0600123 x")));
        QCOMPARE(link.calls.state().record.number, QStringLiteral("600123"));
        QCOMPARE(link.calls.state().record.start, link.clock.time);
        QVERIFY(link.calls.state().flags.inConversation);
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.last().number, QStringLiteral("600123"));
        QCOMPARE(link.history.entries.last().type, CallType::OutgoingDialling);

        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(services.dial(QStringLiteral("12#")));
        QVERIFY(link.calls.state().record.closed);
        link.receive(QStringLiteral("aOK"));
        QVERIFY(services.flash());
        QVERIFY(link.calls.state().record.closed);
    }

    void speedDialForm()
    {
        using namespace SpeedDialConverter;
        QCOMPARE(toSpeedDial(QStringLiteral("600")), QStringLiteral("600#"));
        QCOMPARE(toSpeedDial(QStringLiteral("600#")), QStringLiteral("600#"));
        QCOMPARE(toSpeedDial(QStringLiteral("5")), QStringLiteral("5#"));
        QCOMPARE(toSpeedDial(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(toSpeedDial(QStringLiteral("#31")), QStringLiteral("#31"));
        QCOMPARE(toSpeedDial(QStringLiteral("/#31")), QStringLiteral("/#31"));
        QCOMPARE(toSpeedDial(QStringLiteral("//")), QStringLiteral("///#").chopped(2) + QStringLiteral("#"));
        QCOMPARE(fromSpeedDial(QStringLiteral("600#")), QStringLiteral("600"));
        QCOMPARE(fromSpeedDial(QStringLiteral("600##")), QStringLiteral("600##"));
        QCOMPARE(fromSpeedDial(QStringLiteral("*600#")), QStringLiteral("*600#"));
        QCOMPARE(fromSpeedDial(QStringLiteral("5#")), QStringLiteral("5"));

        CallHarness link;
        link.settings.SpeedDialConversion = true;
        link.receive(QStringLiteral("aDRDY 21__"));
        QVERIFY(link.calls.services().dial(QStringLiteral("600")));
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aDIAL 21__ 600#")});
        QCOMPARE(link.calls.state().record.number, QStringLiteral("600"));
    }

    void featureCommandsCarryTheirFields()
    {
        CallHarness link(QStringLiteral("aOK ambra 2.1 9"));
        TelephoneServices& services = link.calls.services();
        link.settings.Przeniesienie.NaNr = QStringLiteral("600123");
        link.settings.Przeniesienie.SposPrzen = 1;
        link.settings.Przeniesienie.SposWywol = 3;
        link.settings.Przeniesienie.IlDzwonk = 4;
        const auto sendAndAnswer = [&link](bool sent) {
            QVERIFY(sent);
            link.receive(QStringLiteral("aOK"));
        };
        sendAndAnswer(services.setForwarding(true));
        sendAndAnswer(services.setForwarding(false));
        sendAndAnswer(services.setLock(false, QStringLiteral("12")));
        sendAndAnswer(services.accountOn(QStringLiteral("7"), QStringLiteral("99")));
        sendAndAnswer(services.accountOff());
        link.receive(QStringLiteral("aDRDY 21__"));
        sendAndAnswer(services.conference());
        QCOMPARE(link.takeCommands(),
                 (QStringList{QStringLiteral("aFWD 21__ R T 4 600123"), QStringLiteral("aFWD 21__ D"),
                              QStringLiteral("aLOCK 21__ F 12__"), QStringLiteral("aACC 21__ T 7___ 99"),
                              QStringLiteral("aACC 21__ F"), QStringLiteral("aDIAL 21__ /#41")}));
        QVERIFY(!link.calls.state().forwardingSetByClient);
        // Forwarding without a number sends nothing.
        link.settings.Przeniesienie.NaNr.clear();
        QVERIFY(!services.setForwarding(true));
        QVERIFY(link.takeCommands().isEmpty());
        // The lock PIN never reaches the log.
        QVERIFY(!link.console.texts().join(u'\n').contains(QStringLiteral("12__")));
    }

    void synchronousWaits()
    {
        auto waits = std::make_shared<SynchronousWaits>(200);
        QTimer::singleShot(0, [waits] { waits->observe(QStringLiteral("aOK")); });
        QVERIFY(waits->waitForReply());
        QTimer::singleShot(0, [waits] { waits->observe(QStringLiteral("aNA")); });
        QVERIFY(!waits->waitForReply());
        // A reply seen before the wait began does not count.
        QVERIFY(!waits->waitForReply());
        QTimer::singleShot(0, [waits] {
            waits->observe(QStringLiteral("aSTAT"));
            waits->observe(QStringLiteral("aRELX"));
        });
        QVERIFY(!waits->waitForRelease());
        QTimer::singleShot(0, [waits] { waits->observe(QStringLiteral("aDRDY")); });
        QVERIFY(waits->waitForDialTone());
        QTimer::singleShot(0, [waits] { waits->linkDestroyed(); });
        QVERIFY(waits->waitForStatus());
        QVERIFY(!waits->waitForReply());
    }
};

QTEST_GUILESS_MAIN(TestTelephoneServices)
#include "TestTelephoneServices.moc"
