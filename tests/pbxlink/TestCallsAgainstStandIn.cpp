#include "StandInClient.h"

#include <QTest>

// Calls placed by the real link on the PBX stand-in, over loopback.
class TestCallsAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void dialledCallOnHookLandsInTheHistoryOnce()
    {
        StandInWithClient session;
        QString error;
        QVERIFY2(session.startAndLogIn(&error), qPrintable(error));
        LinkUnderTest& client = *session.client;

        const QDateTime beforeDialling = QDateTime::currentDateTime();
        QVERIFY(client.link.services().dialDigits(QStringLiteral("600123")));
        QTRY_COMPARE_WITH_TIMEOUT(client.window.windowState(), WindowState::OutgoingConnected, Patience);
        const QDateTime connected = QDateTime::currentDateTime();
        QCOMPARE(client.window.connectedNumbers.last(), QStringLiteral("600123"));

        QTest::qWait(20);
        QVERIFY(client.link.services().putDown());
        QTRY_VERIFY_WITH_TIMEOUT(!client.history.entries.isEmpty(), Patience);
        const QDateTime released = QDateTime::currentDateTime();
        // Whatever else the stand-in sends must not add a second row.
        QTest::qWait(50);

        QCOMPARE(client.history.entries.size(), 1);
        const CallHistoryEntry& row = client.history.entries.first();
        QCOMPARE(row.type, CallType::OutgoingAnswered);
        QCOMPARE(row.number, QStringLiteral("600123"));
        QVERIFY(row.start >= beforeDialling && row.start <= connected);
        QVERIFY(row.end >= row.start.addMSecs(20) && row.end <= released);
        QVERIFY(client.dialogs.errors.isEmpty() && client.dialogs.warnings.isEmpty());
        QVERIFY(!client.link.queues().hasOutstanding());
    }

    void handsetPutDownAfterDialToneLetsTheNextDialPickUp()
    {
        StandInWithClient session;
        QString error;
        QVERIFY2(session.startAndLogIn(&error), qPrintable(error));
        LinkUnderTest& client = *session.client;
        TelephoneServices& services = client.link.services();
        const std::shared_ptr<SynchronousWaits> waits = client.link.waits();

        QVERIFY(services.answer());
        QVERIFY(waits->waitForDialTone());
        QVERIFY(services.putDown());
        QVERIFY(waits->waitForRelease());
        QVERIFY(!client.link.callState().flags.offHook);

        // On hook again: dialling lifts the handset first and dials at the dial tone.
        QVERIFY(services.dialDigits(QStringLiteral("600123")));
        QTRY_COMPARE_WITH_TIMEOUT(client.window.windowState(), WindowState::OutgoingConnected, Patience);
        QVERIFY(client.dialogs.errors.isEmpty() && client.dialogs.warnings.isEmpty());
    }

    void waitsFollowTheExchangeLines()
    {
        StandInWithClient session;
        QString error;
        QVERIFY2(session.startAndLogIn(&error), qPrintable(error));
        LinkUnderTest& client = *session.client;

        const std::shared_ptr<SynchronousWaits> waits = client.link.waits();
        QVERIFY(client.link.services().setDoNotDisturb(true));
        QVERIFY(waits->waitForStatus());
        QVERIFY(client.link.callState().features.doNotDisturb);
        QVERIFY(client.link.services().answer());
        QVERIFY(waits->waitForDialTone());
        QVERIFY(client.link.services().putDown());
        QVERIFY(waits->waitForReply());
    }
};

QTEST_GUILESS_MAIN(TestCallsAgainstStandIn)
#include "TestCallsAgainstStandIn.moc"
