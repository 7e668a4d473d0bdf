#include "GateHarness.h"

#include <QTest>

// The gate link's core driven through its ports: connecting and logging in, the refusal tables, the retry rules
// with their waits, the centre's answers, reports and incoming messages, and what a waiting window hears.
class TestGateLink final : public QObject {
    Q_OBJECT

private slots:
    void attemptsComeAfterHalfAMinuteThenHalfASecondThenAFullInterval()
    {
        GateHarness h;
        h.link.start();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
        QVERIFY(h.timers.active.value(GateTimer::SendCommand));
        h.link.onTimer(GateTimer::Connect);
        QCOMPARE(h.socket.opens, QStringList{QStringLiteral("127.0.0.1:5524")});
        // An attempt that does not end logged in is followed by the next after a full interval.
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
        QVERIFY(h.timers.active.value(GateTimer::Connect));

        h.socket.connected = true;
        h.link.onConnected();
        h.link.onClosedByServer();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 500);
        h.link.onTimer(GateTimer::Connect);
        QCOMPARE(h.socket.opens.size(), 2);
        // The half second is not repeated while this connection logs in.
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
        h.socket.connected = true;
        h.link.onConnected();
        h.link.onClosedByServer();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);

        // A login earns the half second again.
        h.link.onTimer(GateTimer::Connect);
        h.socket.connected = true;
        h.link.onConnected();
        h.tick();
        h.link.onLine(QStringLiteral("aOK"));
        QVERIFY(!h.timers.active.value(GateTimer::Connect));
        h.link.onClosedByServer();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 500);
    }

    void firstWaitCanOnlyBeShortened()
    {
        GateHarness h;
        h.link.start(200);
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 200);
        h.link.start(-5);
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 0);
        h.link.start(90000);
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
    }

    void unusableGateNeverLogsIn_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("gate");
        QTest::addColumn<QString>("pin");
        QTest::newRow("switched off") << false << QStringLiteral("7") << QStringLiteral("1234");
        QTest::newRow("no gate") << true << QString() << QStringLiteral("1234");
        QTest::newRow("no PIN") << true << QStringLiteral("7") << QString();
    }

    void unusableGateNeverLogsIn()
    {
        QFETCH(bool, on);
        QFETCH(QString, gate);
        QFETCH(QString, pin);
        GateHarness h;
        h.settings.Sms.SmsOn = on;
        h.settings.Sms.Translacja = gate;
        h.settings.Sms.Klucz = pin;
        h.link.connectToServer();
        QVERIFY(h.socket.opens.isEmpty());
        QCOMPARE(h.observer.console.last().first, QStringLiteral("SMS is disabled or locked"));
        QCOMPARE(h.observer.console.last().second, GateColour::Disabled);
        // Even a connection made otherwise carries no login.
        h.socket.connected = true;
        h.link.onConnected();
        h.tick();
        QVERIFY(h.socket.written.isEmpty());
    }

    void loginIsGateOfThreeDigitsAndNeverShowsThePin()
    {
        GateHarness h;
        h.logIn();
        QCOMPARE(h.socket.written, QStringList{QStringLiteral("aLOGI G007 1234")});
        QVERIFY(h.observer.consoleText().contains(QStringLiteral("aLOGI G007 ****")));
        for (const QString& line : h.observer.consoleText()) {
            QVERIFY2(!line.contains(u"1234"), qPrintable(line));
        }
        QVERIFY(h.link.isLoggedIn());
        QVERIFY(!h.timers.active.value(GateTimer::Connect));
        QVERIFY(!h.timers.active.value(GateTimer::Login));
        QVERIFY(h.timers.active.value(GateTimer::Guard));
    }

    void longLoginAnswerNamesTheGatesNumber()
    {
        GateHarness h;
        h.link.connectToServer();
        h.socket.connected = true;
        h.link.onConnected();
        h.tick();
        h.link.onLine(QStringLiteral("aOK 1 2 3 4 600700800"));
        QCOMPARE(h.observer.gateNumber, QStringLiteral("600700800"));
    }

    void refusedLoginSaysWhyAndTriesLater_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("status");
        QTest::newRow("module") << QStringLiteral("aNA 7")
                                << QStringLiteral("Access denied: the module number is invalid");
        QTest::newRow("PIN") << QStringLiteral("aNA 11") << QStringLiteral("login refused 11");
        QTest::newRow("busy") << QStringLiteral("aNA 21")
                              << QStringLiteral("Sms module is busy now. Please wait a few seconds!");
        QTest::newRow("starting") << QStringLiteral("aNA 23")
                                  << QStringLiteral("Sms module is about to initiate now. Please wait a few seconds!");
        QTest::newRow("unknown") << QStringLiteral("aNA 99") << QStringLiteral("login refused 99");
        QTest::newRow("not logged") << QStringLiteral("aNA 1") << QStringLiteral("Error: Not Logged");
        QTest::newRow("no code") << QStringLiteral("aERROR") << QStringLiteral("login error");
    }

    void refusedLoginSaysWhyAndTriesLater()
    {
        QFETCH(QString, reply);
        QFETCH(QString, status);
        GateHarness h;
        h.link.connectToServer();
        h.socket.connected = true;
        h.link.onConnected();
        h.tick();
        h.link.onLine(reply);
        QCOMPARE(h.link.statusText(), status);
        QVERIFY(h.link.loginFailed());
        QVERIFY(!h.link.isLoggedIn());
        if (reply.startsWith(u"aNA")) {
            QVERIFY(!h.socket.connected);
            QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000); // 25000 + half of 10000
        }
    }

    void replyWithNothingPendingIsIgnored()
    {
        GateHarness h;
        h.logIn();
        h.link.onLine(QStringLiteral("aNA 4"));
        h.link.onLine(QStringLiteral("aOK"));
        QVERIFY(h.link.sendQueue().isEmpty());
        QVERIFY(h.link.isLoggedIn());
        QVERIFY(h.observer.messages.isEmpty());
    }

    // Fifteen busy refusals end the send; the waits grow from 1 s to 2 s (6th and 7th) and 5 s (8th on).
    void busyGateIsRetriedWithGrowingWaitsThenGivenUp()
    {
        GateHarness h;
        h.logIn();
        h.sendOne();
        QList<int> waits;
        for (int refusal = 1; refusal < 15; ++refusal) {
            h.link.onLine(QStringLiteral("aNA 4"));
            waits.append(h.timers.intervals.value(GateTimer::SendCommand));
            QCOMPARE(h.link.sendQueue().size(), 1);
            h.tick();
            QCOMPARE(h.timers.intervals.value(GateTimer::SendCommand), 1000);
        }
        QCOMPARE(waits.mid(0, 5), QList<int>(5, 1250));
        QCOMPARE(waits.mid(5, 2), QList<int>(2, 2250));
        QCOMPARE(waits.mid(7), QList<int>(7, 5250));
        QVERIFY(h.window.failures.isEmpty());
        h.link.onLine(QStringLiteral("aNA 4"));
        QCOMPARE(h.window.failures, QStringList{QStringLiteral("Unable to send sms.")});
        QCOMPARE(h.observer.messages, QStringList{QStringLiteral("Unable to send sms.")});
        QVERIFY(h.link.sendQueue().isEmpty());
        QCOMPARE(h.link.retries().count(GateRetryRules::Rule::Busy), 0);
    }

    void otherRetryRulesGiveUpAtTheirCounts_data()
    {
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<int>("giveUpAt");
        QTest::addColumn<QString>("reason");
        QTest::newRow("card busy") << QStringLiteral("aNA 21") << 20
                                   << QStringLiteral("Unable to send sms - SMS card is busy");
        QTest::newRow("not logged") << QStringLiteral("aNA 1") << 4 << QStringLiteral("Unable to send sms.");
        QTest::newRow("module starting") << QStringLiteral("aNA 23") << 2
                                         << QStringLiteral("Sms module is in error state!");
    }

    void otherRetryRulesGiveUpAtTheirCounts()
    {
        QFETCH(QString, refusal);
        QFETCH(int, giveUpAt);
        QFETCH(QString, reason);
        GateHarness h;
        h.logIn();
        h.sendOne();
        for (int i = 1; i < giveUpAt; ++i) {
            h.link.onLine(refusal);
            QCOMPARE(h.link.sendQueue().size(), 1);
            h.tick();
        }
        QVERIFY(h.window.failures.isEmpty());
        h.link.onLine(refusal);
        QCOMPARE(h.window.failures, QStringList{reason});
        QVERIFY(h.link.sendQueue().isEmpty());
    }

    void startingModuleGetsHalfAMinute()
    {
        GateHarness h;
        h.logIn();
        h.sendOne();
        h.link.onLine(QStringLiteral("aNA 23"));
        QCOMPARE(h.timers.intervals.value(GateTimer::SendCommand), 30000);
        QCOMPARE(h.observer.messages.size(), 1);
    }

    void successResetsTheBusyCount()
    {
        GateHarness h;
        h.logIn();
        h.sendOne();
        h.link.onLine(QStringLiteral("aNA 4"));
        h.tick();
        h.link.onLine(QStringLiteral("aOK"));
        QCOMPARE(h.link.retries().count(GateRetryRules::Rule::Busy), 0);
        QVERIFY(h.link.pending().isEmpty());
    }

    void refusalWithoutRuleEndsTheSendWithItsText()
    {
        GateHarness h;
        h.logIn();
        h.sendOne();
        h.link.onLine(QStringLiteral("aNA 7"));
        QCOMPARE(h.window.failures, QStringList{QStringLiteral("Invalid number")});
        h.sendOne();
        h.link.onLine(QStringLiteral("aNA 22"));
        QCOMPARE(h.window.failures.last(), QStringLiteral("SMS is too long to be sent"));
    }

    // A send queued while the link is down is not dropped in silence: its window hears why and keeps the text.
    void sendWhileDisconnectedTellsTheWindow()
    {
        GateHarness h;
        h.sendOne();
        QVERIFY(h.socket.written.isEmpty());
        QCOMPARE(h.window.failures,
                 QStringList{QStringLiteral("The SMS was not sent: not connected to the SMS gate.")});
        QVERIFY(h.observer.messages.isEmpty());
    }

    void connectionLostUnderASendTellsTheWindow()
    {
        GateHarness h;
        h.logIn();
        h.sendOne();
        h.link.onClosedByServer();
        QCOMPARE(h.window.failures.size(), 1);
        QVERIFY(h.link.pending().isEmpty());
        // The first drop is retried after half a second, later ones after a random wait.
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 500);
        h.logIn();
        h.link.onClosedByServer();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 500);
        h.link.connectToServer();
        h.socket.connected = true;
        h.link.onConnected();
        h.link.onClosedByServer();
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
    }

    void socketErrorIsShownInRedAndRetriedLater()
    {
        GateHarness h;
        h.link.connectToServer();
        h.link.onSocketError({QStringLiteral("Connect error: 10061"), QStringLiteral("Error Connections - 10061")});
        QCOMPARE(h.observer.console.last().second, GateColour::Error);
        QCOMPARE(h.link.statusText(), QStringLiteral("Error Connections - 10061"));
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
    }

    void loginTimeoutConnectsAgain()
    {
        GateHarness h;
        h.link.connectToServer();
        h.socket.connected = true;
        h.link.onConnected();
        h.link.onTimer(GateTimer::Login);
        QCOMPARE(h.link.statusText(), QStringLiteral("Connect..."));
        QVERIFY(h.observer.statuses.contains(QStringLiteral("Login error: server do not respond")));
        QCOMPARE(h.socket.opens.size(), 2);
    }

    void offLogsOutAndWaitsAFullInterval()
    {
        GateHarness h;
        h.logIn();
        h.link.disconnect();
        QCOMPARE(h.socket.written.last(), QStringLiteral("aLOGO G007"));
        QVERIFY(!h.socket.connected);
        QCOMPARE(h.timers.intervals.value(GateTimer::Connect), 30000);
        QVERIFY(h.observer.gateNumber.isEmpty());
    }

    void centreAnswerReachesTheWindowAndTheHistory()
    {
        GateHarness h;
        h.logIn();
        h.sendOne(QStringLiteral("Hi\\nthere"));
        QCOMPARE(h.socket.written.last(), QStringLiteral("aSMSS G007 600123456 N 167 Hi\\nthere"));
        h.link.onLine(QStringLiteral("aOK"));
        h.link.onLine(QStringLiteral("SMSA G007 1 C 345"));
        QCOMPARE(h.window.accepted, QList<int>{345});
        QCOMPARE(h.observer.answeredNumbers, QStringList{QStringLiteral("600123456|Hi\\nthere")});
        // A second answer to the same segment, or one with nothing sent, changes nothing.
        h.link.onLine(QStringLiteral("SMSA G007 1 R 346"));
        QCOMPARE(h.window.rejected, 0);
        QCOMPARE(h.observer.answers.size(), 1);
    }

    void reportsAndMessagesAreAcknowledged()
    {
        GateHarness h;
        h.logIn();
        h.link.onLine(QStringLiteral("SMSR G007 x d 77 345"));
        QCOMPARE(h.observer.reports.size(), 1);
        QCOMPARE(h.observer.reports[0].outcome, GateLines::DeliveryReport::Outcome::Delivered);
        h.link.onLine(QStringLiteral("SMSG 1 G007 78 +48600123456 145 9,1,1 2024-05-17,14:03:22 Hello there"));
        QCOMPARE(h.observer.segments.size(), 1);
        QCOMPARE(h.observer.segments[0].text, QStringLiteral("Hello there"));
        QCOMPARE(h.link.sendQueue(), (QStringList{QStringLiteral("aSOK G007 77"), QStringLiteral("aSOK G007 78")}));
    }

    void onlySendingLeavesMessagesUnacknowledged()
    {
        GateHarness h;
        h.settings.Sms.SMSSendRead = false;
        h.logIn();
        h.link.onLine(QStringLiteral("SMSG 1 G007 78 600123456 145 9,1,1 2024-05-17,14:03:22 Hello"));
        QVERIFY(h.observer.segments.isEmpty());
        QVERIFY(h.link.sendQueue().isEmpty());
    }

    void otherOwnersCannotClaimTheLink()
    {
        GateHarness h;
        RecordingSendListener other;
        QVERIFY(h.link.claim(&h.window));
        QVERIFY(!h.link.claim(&other));
        h.link.forget(&h.window);
        QVERIFY(h.link.claim(&other));
    }
};

QTEST_GUILESS_MAIN(TestGateLink)
#include "TestGateLink.moc"
