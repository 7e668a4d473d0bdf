#include "CallHarness.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QTest>

// Call tracking fed through the real dispatcher with the lines an exchange sends for extension 21.
class TestCallTracking final : public QObject {
    Q_OBJECT

private slots:
    void callThatOnlyRangIsMissed()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600123456 0 21 0 Jan"));
        link.advanceSeconds(10);
        link.receive(QStringLiteral("aREL 21__ 16"));

        QCOMPARE(link.history.entries.size(), 1);
        const CallHistoryEntry& row = link.history.entries.first();
        QCOMPARE(row.type, CallType::IncomingUnanswered);
        QCOMPARE(row.number, QStringLiteral("600123456"));
        QCOMPARE(row.start, QDateTime(QDate(2026, 3, 2), QTime(9, 15, 0)));
        QVERIFY(!row.end.isValid());
        QVERIFY(row.callerNameId.has_value());
        QCOMPARE(link.history.names, QStringList{QStringLiteral("Jan")});
        QCOMPARE(link.window.states.mid(link.window.states.size() - 2),
                 (QList<WindowState>{WindowState::Ringing, WindowState::IdleShow}));
        QCOMPARE(link.window.missedIndicators, 1);
    }

    void answeredCallStartsAtTheConnection()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        link.advanceSeconds(8);
        const QDateTime connected = link.clock.time;
        link.receive(QStringLiteral("aCONN 21__ 600123456"));
        link.advanceSeconds(60);
        link.receive(QStringLiteral("aREL 21__ 16"));

        QCOMPARE(link.history.entries.size(), 1);
        const CallHistoryEntry& row = link.history.entries.first();
        QCOMPARE(row.type, CallType::IncomingAnswered);
        QCOMPARE(row.start, connected);
        QCOMPARE(row.end, connected.addSecs(60));
        QVERIFY(!row.callerNameId.has_value());
        QCOMPARE(link.window.states.mid(link.window.states.size() - 3),
                 (QList<WindowState>{WindowState::Ringing, WindowState::IncomingConnected, WindowState::CallEnded}));
        QCOMPARE(link.window.missedIndicators, 0);
        QCOMPARE(link.history.reservations, 1);
        QVERIFY(link.window.redialNumbers.isEmpty());
    }

    void dialledCallIsSavedWithItsDigits()
    {
        CallHarness link;
        link.receive(QStringLiteral("aDRDY 21__"));
        link.receive(QStringLiteral("aECHO 21__ 1"));
        link.receive(QStringLiteral("aECHO 21__ 2"));
        link.receive(QStringLiteral("aCONN 21__ 12"));
        // Tones during the conversation are not part of the number.
        link.receive(QStringLiteral("aECHO 21__ 9"));
        link.receive(QStringLiteral("aREL 21__"));

        QCOMPARE(link.window.dialled, (QStringList{QStringLiteral("1"), QStringLiteral("12")}));
        QCOMPARE(link.history.entries.size(), 1);
        QCOMPARE(link.history.entries.first().type, CallType::OutgoingAnswered);
        QCOMPARE(link.history.entries.first().number, QStringLiteral("12"));
        QCOMPARE(link.window.redialNumbers, QStringList{QStringLiteral("12")});
        QVERIFY(link.window.states.contains(WindowState::OutgoingConnected));
    }

    void featureCodesAndTheirHistory()
    {
        CallHarness link;
        // "#25" before a number is stripped and the number saved.
        link.receive(QStringLiteral("aDRDY 21__"));
        for (const char* digit : {"#", "2", "5", "1", "2", "3"}) {
            link.receive(QStringLiteral("aECHO 21__ ") + QLatin1String(digit));
        }
        link.receive(QStringLiteral("aCONN 21__ 123"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 1);
        QCOMPARE(link.history.entries.first().number, QStringLiteral("123"));

        // "*#" codes are not kept while account history is off; "#*" codes always are.
        link.settings.Konta.AccHistory = false;
        link.receive(QStringLiteral("aDRDY 21__"));
        link.receive(QStringLiteral("aECHO 21__ *#"));
        link.receive(QStringLiteral("aECHO 21__ 5"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 1);
        link.receive(QStringLiteral("aDRDY 21__"));
        link.receive(QStringLiteral("aECHO 21__ #*7"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 2);
        QCOMPARE(link.history.entries.last().number, QStringLiteral("#*7"));
        link.settings.Konta.AccHistory = true;
        link.receive(QStringLiteral("aDRDY 21__"));
        link.receive(QStringLiteral("aECHO 21__ *#5"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 3);
    }

    void cause39AndASecondReleaseWriteNoRow()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600123456 0 21"));
        link.receive(QStringLiteral("aCONN 21__ 600123456"));
        link.receive(QStringLiteral("aREL 21__ 39"));
        QVERIFY(link.history.entries.isEmpty());
        QCOMPARE(link.window.states.last(), WindowState::CallEnded);

        link.receive(QStringLiteral("aRING 21__ 500 0 21"));
        link.receive(QStringLiteral("aCONN 21__ 500"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 1);
        // A cause that is no number counts as absent.
        link.receive(QStringLiteral("aRING 21__ 501 0 21"));
        link.receive(QStringLiteral("aREL 21__ x9"));
        QCOMPARE(link.history.entries.size(), 2);
        QCOMPARE(link.window.states.last(), WindowState::IdleShow);
    }

    void callEndedWhileHandsetStaysLiftedIsClosedByDialTone()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600 0 21"));
        link.receive(QStringLiteral("aCONN 21__ 600"));
        link.advanceSeconds(30);
        link.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(link.history.entries.size(), 1);
        QCOMPARE(link.history.entries.first().end, link.clock.time);
        QCOMPARE(link.calls.state().lastCall.number, QStringLiteral("600"));
        QCOMPARE(link.window.states.last(), WindowState::HandsetEvent);
        // The release that follows finds the record closed.
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 1);
    }

    void callerWaitingDuringAConversationIsMissedOnItsOwn()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600111222 0 21"));
        link.advanceSeconds(5);
        const QDateTime connected = link.clock.time;
        link.receive(QStringLiteral("aCONN 21__ 600111222"));
        link.advanceSeconds(30);
        const QDateTime waitingSince = link.clock.time;
        link.receive(QStringLiteral("aRING 21__ 700333444 0 21 0 Ewa"));
        QCOMPARE(link.window.waiting, QStringList{QStringLiteral("700333444|Ewa")});
        QCOMPARE(link.window.states.last(), WindowState::IncomingConnected);
        // The exchange rings again for the same caller: still the one waiting call.
        link.advanceSeconds(10);
        link.receive(QStringLiteral("aRING 21__ 700333444 0 21 0 Ewa"));
        QVERIFY(link.history.entries.isEmpty());
        link.advanceSeconds(20);
        link.receive(QStringLiteral("aREL 21__ 16"));

        QCOMPARE(link.history.entries.size(), 2);
        const CallHistoryEntry& conversation = link.history.entries.at(0);
        QCOMPARE(conversation.type, CallType::IncomingAnswered);
        QCOMPARE(conversation.number, QStringLiteral("600111222"));
        QCOMPARE(conversation.start, connected);
        QCOMPARE(conversation.end, connected.addSecs(60));
        const CallHistoryEntry& missed = link.history.entries.at(1);
        QCOMPARE(missed.type, CallType::IncomingUnanswered);
        QCOMPARE(missed.number, QStringLiteral("700333444"));
        QCOMPARE(missed.start, waitingSince);
        QVERIFY(!missed.end.isValid());
        QCOMPARE(link.history.names, QStringList{QStringLiteral("Ewa")});
        QCOMPARE(link.window.missedIndicators, 1);
        QCOMPARE(link.window.states.last(), WindowState::CallEnded);
        QVERIFY(!link.calls.state().waitingCall);

        // A caller who replaces the one waiting leaves that one missed at once.
        link.receive(QStringLiteral("aDRDY 21__"));
        link.receive(QStringLiteral("aECHO 21__ 5"));
        link.receive(QStringLiteral("aCONN 21__ 5"));
        link.receive(QStringLiteral("aRING 21__ 701 0 21"));
        link.receive(QStringLiteral("aRING 21__ 702 0 21"));
        QCOMPARE(link.history.entries.size(), 3);
        QCOMPARE(link.history.entries.last().number, QStringLiteral("701"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 5);
        QCOMPARE(link.history.entries.at(3).type, CallType::OutgoingAnswered);
        QCOMPARE(link.history.entries.at(4).number, QStringLiteral("702"));
    }

    void waitingCallTakenBecomesTheCall()
    {
        CallHarness link;
        link.receive(QStringLiteral("aRING 21__ 600 0 21"));
        const QDateTime firstConnected = link.clock.time;
        link.receive(QStringLiteral("aCONN 21__ 600"));
        link.advanceSeconds(30);
        link.receive(QStringLiteral("aRING 21__ 700 0 300 0 Ewa"));
        link.advanceSeconds(5);
        const QDateTime secondConnected = link.clock.time;
        link.receive(QStringLiteral("aCONN 21__ 700"));
        QCOMPARE(link.history.entries.size(), 1);
        QCOMPARE(link.history.entries.first().number, QStringLiteral("600"));
        QCOMPARE(link.history.entries.first().start, firstConnected);
        QCOMPARE(link.history.entries.first().end, secondConnected);
        QCOMPARE(link.window.states.last(), WindowState::IncomingConnected);

        link.advanceSeconds(40);
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.size(), 2);
        const CallHistoryEntry& taken = link.history.entries.last();
        QCOMPARE(taken.type, CallType::IncomingAnswered);
        QCOMPARE(taken.number, QStringLiteral("700"));
        QCOMPARE(taken.start, secondConnected);
        QCOMPARE(taken.end, secondConnected.addSecs(40));
        QVERIFY(taken.callerNameId.has_value() && taken.calledNumberId.has_value());
        QCOMPARE(link.window.missedIndicators, 0);
    }

    void ringingShowsTheCallerAndKeepsTheExchangesNameOnlyForUnknownCallers()
    {
        CallHarness link;
        link.settings.Ogolne.PokazOd = true;
        link.receive(QStringLiteral("aRING 21__ 600 0 300 0 Jan\\nKowalski"));
        QCOMPARE(link.window.incoming.last(), QStringLiteral("600|300|Jan\r\nKowalski"));
        // The called number is not shown when it is the extension itself, or when the option is off.
        link.receive(QStringLiteral("aRING 21__ 601 0 21 0 Anna Nowak"));
        QCOMPARE(link.window.incoming.last(), QStringLiteral("601||Anna Nowak"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.names.last(), QStringLiteral("Anna Nowak"));
        // A caller the books know is named by the books: the exchange's name stays out of the history.
        link.settings.Ogolne.PokazOd = false;
        link.books.names.insert(QStringLiteral("602"), QStringLiteral("Ewa Lis"));
        link.receive(QStringLiteral("aRING 21__ /602 0 300 0 Ewa"));
        QCOMPARE(link.window.incoming.last(), QStringLiteral("/602||Ewa"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!link.history.entries.last().callerNameId.has_value());
        QVERIFY(link.history.entries.last().calledNumberId.has_value());
        // So it does when the settings do not ask for the exchange's names, and when it is the exchange's "_".
        link.settings.Ogolne.ShowCmt = false;
        link.receive(QStringLiteral("aRING 21__ 604 0 300 0 Ewa"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!link.history.entries.last().callerNameId.has_value());
        link.settings.Ogolne.ShowCmt = true;
        link.receive(QStringLiteral("aRING 21__ 605 0 300 0 _"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!link.history.entries.last().callerNameId.has_value());
        // A failed identifier lookup still writes the row.
        link.history.failLookups = true;
        link.receive(QStringLiteral("aRING 21__ 603 0 300 0 Ewa"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.history.entries.last().number, QStringLiteral("603"));
    }

    void statusFlagsDriveTheIndicators()
    {
        CallHarness link;
        link.receive(QStringLiteral("aSTAT 21__ h F d L a P r "));
        QCOMPARE(link.window.handset, QList<bool>{false});
        const FeatureStatus& status = link.window.features.last();
        QVERIFY(status.forwarding && !status.doNotDisturb && status.locked && !status.accountCode && status.parked);
        QVERIFY(link.calls.state().features.locked);

        link.receive(QStringLiteral("aSTAT 21__ o f D l a p r "));
        QCOMPARE(link.window.handset, QList<bool>{false});
        QVERIFY(link.window.features.last().doNotDisturb);
        QVERIFY(!link.calls.state().features.locked);

        link.receive(QStringLiteral("aSTAT 21__ H"));
        QCOMPARE(link.window.features.size(), 2);
    }

    void recordingFollowsTheCall()
    {
        CallHarness link;
        link.settings.Audio.NagrywanieWlaczone = true;
        link.settings.Audio.TrybNagrywania = 1;
        link.books.names.insert(QStringLiteral("600"), QStringLiteral("Jan Kowalski"));
        link.receive(QStringLiteral("aRING 21__ 600 0 21"));
        link.receive(QStringLiteral("aCONN 21__ 600"));
        QCOMPARE(link.recorder.started, QStringList{QStringLiteral("1|Jan Kowalski")});
        QCOMPARE(link.window.recordingIndicators, 1);
        link.advanceSeconds(42);
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.recorder.stops, QList<bool>{true});
        QCOMPARE(link.recorder.finished, QStringList{QStringLiteral("42|600|Jan Kowalski")});
        QVERIFY(link.calls.state().lastCall.recordingOffered);
        QVERIFY(link.history.entries.last().recordingMade);

        // A call that only rang keeps no recording.
        link.receive(QStringLiteral("aRING 21__ 601 0 21"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QVERIFY(!link.history.entries.last().recordingMade);
        QCOMPARE(link.recorder.finished.size(), 1);
    }

    void chargeAndRecordingHooks()
    {
        CallHarness link;
        QStringList hooks;
        RecordingHooks recordingHooks;
        recordingHooks.begun = [&hooks](const QString& text) {
            hooks.append(QStringLiteral("B:") + text);
        };
        recordingHooks.changed = [&hooks](const QString& text) {
            hooks.append(QStringLiteral("C:") + text);
        };
        recordingHooks.ended = [&hooks](const QString& a, const QString& b, const QString& name) {
            hooks.append(QStringLiteral("E:") + a + u'|' + b + u'|' + name);
        };
        recordingHooks.callClosed = [&hooks] {
            hooks.append(QStringLiteral("closed"));
        };
        link.calls.tracker().setRecordingHooks(recordingHooks);
        link.receive(QStringLiteral("aAOC 21__ 0.42 EUR"));
        link.receive(QStringLiteral("aRECB 21__ 7 file one"));
        link.receive(QStringLiteral("aRECC 21__ 7 more"));
        link.receive(QStringLiteral("aRECE 21__ 7 ok <rec 7.wav> tail"));
        link.receive(QStringLiteral("aRECE 21__ 8 ok <>"));
        link.receive(QStringLiteral("aRECE 21__ 9 ok <unclosed"));
        link.receive(QStringLiteral("aRECE 21__ <alone>"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.calls.callTimer().chargeText(), QStringLiteral("0.42 EUR"));
        QCOMPARE(hooks, (QStringList{QStringLiteral("B:7 file one"), QStringLiteral("C:7 more"),
                                     QStringLiteral("E:7|ok|rec 7.wav"), QStringLiteral("E:||alone"),
                                     QStringLiteral("closed")}));
    }
};

QTEST_GUILESS_MAIN(TestCallTracking)
#include "TestCallTracking.moc"
