#include "desktop/CallNotifications.h"
#include "support/FakeNotificationService.h"
#include "support/PrivateSessionBus.h"

#include <QSignalSpy>
#include <QTest>

// The call notices against a notification service on a bus of the test's own, in this process: the client never
// waits for the service, so the service only answers when the test's event loop turns. What a call does before
// an answer has come must still end in one notice per call, replaced and withdrawn by its id.
class TestCallNotifications final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!m_bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        m_service = std::make_unique<FakeNotificationService>();
        QVERIFY(m_service->offer(m_bus.connect(QStringLiteral("service"))));
        m_notices = std::make_unique<CallNotifications>(m_bus.connect(QStringLiteral("client")));
    }

    void answeredAndEndedBeforeTheServiceAnswered()
    {
        m_notices->ringing(QStringLiteral("Jan Kowalski"), QStringLiteral("600123456"));
        m_notices->answered();
        m_notices->ended();
        QTRY_COMPARE(m_service->closed, QList<uint>{1});
        // The conversation's notice was stale before it could be sent: the ring's notice is withdrawn by its id.
        QCOMPARE(m_service->shown.size(), 1);
        QCOMPARE(m_service->shown.at(0).summary, QStringLiteral("Incoming call"));

        m_notices->ringing(QString(), QStringLiteral("600999888"));
        QTRY_COMPARE(m_service->shown.size(), 2);
        m_notices->answered();
        QTRY_COMPARE(m_service->shown.size(), 3);
        QCOMPARE(m_service->shown.at(2).summary, QStringLiteral("Conversation"));
        QCOMPARE(m_service->shown.at(2).replaces, 2u);
        m_notices->ended();
        QTRY_COMPARE(m_service->closed, (QList<uint>{1, 2}));
        QCOMPARE(m_notices->shownId(), 0u);
    }

    void aMissedCallKeepsItsNoticeWhenTheNextRingsAtOnce()
    {
        m_notices->ringing(QString(), QStringLiteral("600111222"));
        m_notices->ended();
        m_notices->ringing(QStringLiteral("Anna Nowak"), QStringLiteral("600333444"));
        QTRY_COMPARE(m_service->shown.size(), 3);
        QCOMPARE(m_service->shown.at(1).summary, QStringLiteral("Missed call"));
        QCOMPARE(m_service->shown.at(1).id, 1u);
        QCOMPARE(m_service->shown.at(2).summary, QStringLiteral("Incoming call"));
        QCOMPARE(m_service->shown.at(2).replaces, 0u);
        QCOMPARE(m_service->shown.at(2).id, 2u);
        QTRY_COMPARE(m_notices->shownId(), 2u);

        QSignalSpy answer(m_notices.get(), &CallNotifications::answerRequested);
        emit m_service->ActionInvoked(1, QString::fromUtf16(CallNotifications::AnswerAction));
        emit m_service->ActionInvoked(2, QString::fromUtf16(CallNotifications::AnswerAction));
        QVERIFY(answer.wait(PrivateSessionBus::PatienceMs));
        QTest::qWait(50);
        QCOMPARE(answer.count(), 1);
    }

    void cleanup()
    {
        m_notices.reset();
        m_service.reset();
    }

private:
    PrivateSessionBus m_bus;
    std::unique_ptr<FakeNotificationService> m_service;
    std::unique_ptr<CallNotifications> m_notices;
};

QTEST_GUILESS_MAIN(TestCallNotifications)
#include "TestCallNotifications.moc"
