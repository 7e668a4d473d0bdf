// The built client against the built PBX stand-in, on a session bus of the test's own: another program's
// make-call request for a contact's number is dialled (handset lifted, the number at the dial tone), an unknown
// number is only placed in the entry line, and with TAPI/Wylacz the client does not take the bus name.
#include "app/ClientProcess.h"
#include "support/FakeNotificationService.h"
#include "desktop/MakeCallService.h"
#include "support/PrivateSessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

namespace {

const QString BookNumber = QStringLiteral("600123456");
const QString LoggedIn = QStringLiteral("[state] 0");
const QString PickUpRequest = QStringLiteral(" <- aPICK 21__");
const QString DialToneEvent = QStringLiteral(" -> aDRDY 21__");
const QString DialRequest = QStringLiteral(" <- aDIAL 21__ ");
const QString Offered = QStringLiteral("Call requests taken on the session bus as com.norvel.TelefonTervo");
// How long the link is watched for traffic that must not come.
constexpr int QuietWatchMs = 1000;

} // namespace

class TestDesktopAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        m_bus = std::make_unique<PrivateSessionBus>();
        if (!m_bus->isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        m_standIn = std::make_unique<StandIn>();
        m_client = std::make_unique<ObservedProcess>();
        QVERIFY(m_standIn->start());
        m_profile = std::make_unique<ClientProfile>(m_standIn->port());
        QVERIFY(m_profile->isReady() && m_profile->createPhoneBook(QStringLiteral("Jan Kowalski"), BookNumber));
        m_caller = m_bus->connect(QStringLiteral("caller"));
    }

    void cleanup()
    {
        if (m_client && QTest::currentTestFailed()) {
            qWarning().noquote() << "client:\n" << m_client->lines().join(u'\n');
            qWarning().noquote() << "stand-in:\n" << m_standIn->traffic().lines().join(u'\n');
        }
        m_client.reset();
        m_standIn.reset();
        m_bus.reset();
    }

    void requestForAContactsNumberIsDialled()
    {
        QVERIFY(startClient());
        QVERIFY(m_client->waitFor(Offered) >= 0);
        ObservedProcess& traffic = m_standIn->traffic();
        const qsizetype start = traffic.lineCount();
        QCOMPARE(makeCall(QStringLiteral("tel:+48-600-123-456")).type(), QDBusMessage::ReplyMessage);

        const qsizetype pick = traffic.waitFor(PickUpRequest, start);
        QVERIFY(pick >= 0);
        const qsizetype ready = traffic.waitFor(DialToneEvent, pick);
        QVERIFY(ready >= 0);
        QVERIFY(traffic.waitFor(DialRequest + BookNumber, ready) >= 0);
    }

    void requestForAnUnknownNumberIsPlaced()
    {
        QVERIFY(startClient());
        QVERIFY(m_client->waitFor(Offered) >= 0);
        ObservedProcess& traffic = m_standIn->traffic();
        const qsizetype start = traffic.lineCount();
        QCOMPARE(makeCall(QStringLiteral("777")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(makeCall(QString()).type(), QDBusMessage::ErrorMessage);

        QVERIFY(m_client->waitFor(QStringLiteral("[entry] 777")) >= 0);
        QTest::qWait(QuietWatchMs);
        for (const QString& line : traffic.lines().mid(start)) {
            QVERIFY2(!line.contains(PickUpRequest) && !line.contains(DialRequest), qPrintable(line));
        }
    }

    void switchedOffTheNameIsNotTaken()
    {
        QVERIFY(m_profile->addSettings("[TAPI]\nWylacz=1\n"));
        QVERIFY(startClient());
        QVERIFY(m_client->waitFor(QStringLiteral("switched off (TAPI/Wylacz)")) >= 0);
        QVERIFY(!m_caller.interface()->isServiceRegistered(QString::fromUtf16(MakeCallService::ServiceName)));
        QCOMPARE(makeCall(BookNumber).type(), QDBusMessage::ErrorMessage);
    }

    // A ring shows one notification with "Answer" and "Reject"; "Answer" picks the call up on the exchange, and
    // the end of the call withdraws the notification.
    void ringIsNotifiedAndAnsweredFromTheNotification()
    {
        FakeNotificationService service;
        QVERIFY(service.offer(m_bus->connect(QStringLiteral("notifications"))));
        QVERIFY(startClient());
        ObservedProcess& traffic = m_standIn->traffic();
        QVERIFY(drive(QStringLiteral("ring 21 ") + BookNumber + QStringLiteral(" Someone")));
        QTRY_COMPARE_WITH_TIMEOUT(service.shown.size(), 1, StepPatienceMs);
        const FakeNotificationService::Shown ring = service.shown.first();
        QVERIFY(ring.body.contains(BookNumber));
        QCOMPARE(ring.actions, (QStringList{QStringLiteral("answer"), QStringLiteral("Answer"),
                                            QStringLiteral("reject"), QStringLiteral("Reject")}));

        const qsizetype start = traffic.lineCount();
        emit service.ActionInvoked(ring.id, QStringLiteral("answer"));
        QVERIFY(traffic.waitFor(PickUpRequest, start) >= 0);
        QVERIFY(m_client->waitFor(QStringLiteral("[state] 11")) >= 0);
        QVERIFY(drive(QStringLiteral("release 21 16")));
        QTRY_COMPARE_WITH_TIMEOUT(service.closed, QList<uint>{ring.id}, StepPatienceMs);
        for (const FakeNotificationService::Shown& shown : std::as_const(service.shown)) {
            QCOMPARE(shown.id, ring.id); // replaced, never a second one
        }
    }

    // A ring that ends unanswered leaves "Missed call" in the place of the ring's notification.
    void unansweredRingLeavesAMissedCallNotification()
    {
        FakeNotificationService service;
        QVERIFY(service.offer(m_bus->connect(QStringLiteral("notifications"))));
        QVERIFY(startClient());
        QVERIFY(drive(QStringLiteral("ring 21 777 Someone")));
        QTRY_COMPARE_WITH_TIMEOUT(service.shown.size(), 1, StepPatienceMs);
        QVERIFY(drive(QStringLiteral("release 21 16")));
        QTRY_COMPARE_WITH_TIMEOUT(service.shown.size(), 2, StepPatienceMs);
        QCOMPARE(service.shown.last().summary, QStringLiteral("Missed call"));
        QCOMPARE(service.shown.last().replaces, service.shown.first().id);
        QVERIFY(service.shown.last().actions.isEmpty());
        QVERIFY(service.closed.isEmpty());
    }

private:
    bool drive(const QString& line)
    {
        const QString answer = m_standIn->command(line);
        if (answer != QLatin1String("ok")) {
            qWarning().noquote() << line << "was answered" << answer;
            return false;
        }
        return true;
    }

    bool startClient()
    {
        QProcessEnvironment environment = m_profile->environment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus->address());
        return m_client->start(m_profile->paths().executablePath(), {QStringLiteral("-l=en")}, environment) &&
               m_client->waitFor(LoggedIn) >= 0;
    }

    QDBusMessage makeCall(const QString& destination)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QString::fromUtf16(MakeCallService::ServiceName), QString::fromUtf16(MakeCallService::ObjectPath),
            QStringLiteral("com.norvel.TelefonTervo.Telephony"), QStringLiteral("MakeCall"));
        message.setArguments({destination});
        return m_caller.call(message);
    }

    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<StandIn> m_standIn;
    std::unique_ptr<ClientProfile> m_profile;
    std::unique_ptr<ObservedProcess> m_client;
    QDBusConnection m_caller{QString()};
};

QTEST_GUILESS_MAIN(TestDesktopAgainstStandIn)

#include "TestDesktopAgainstStandIn.moc"
