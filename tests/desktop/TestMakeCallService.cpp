#include "desktop/MakeCallService.h"
#include "support/PrivateSessionBus.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <QSignalSpy>
#include <QTest>

namespace {

QDBusMessage call(QDBusConnection bus, const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QString::fromUtf16(MakeCallService::ServiceName),
                                                          QString::fromUtf16(MakeCallService::ObjectPath),
                                                          QStringLiteral("com.norvel.TelefonTervo.Telephony"), method);
    message.setArguments(arguments);
    // The client answers in this thread: the events must go on while the call waits.
    return bus.call(message, QDBus::BlockWithGui);
}

} // namespace

// The make-call request interface on a session bus of the test's own: requests from another connection reach
// the client, malformed ones are answered with an error, and a second client does not take the name.
class TestMakeCallService final : public QObject {
    Q_OBJECT

private slots:
    void requestsFromTheBusAreToldAndMalformedOnesRefused()
    {
        PrivateSessionBus bus;
        if (!bus.isRunning()) {
            QSKIP("dbus-daemon is not installed");
        }
        MakeCallService service;
        QVERIFY(service.start(bus.connect(QStringLiteral("client"))));
        QSignalSpy requested(&service, &MakeCallService::makeCallRequested);
        const QDBusConnection caller = bus.connect(QStringLiteral("caller"));

        QCOMPARE(call(caller, QStringLiteral("MakeCall"), {QStringLiteral(" tel:+48-600-123-456 ")}).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(call(caller, QStringLiteral("RequestMakeCall"),
                      {QStringLiteral("777"), QStringLiteral("Jan Kowalski"), QStringLiteral("from the CRM")})
                     .type(),
                 QDBusMessage::ReplyMessage);
        for (const QString& bad : {QString(), QStringLiteral("  "), QString(80, u'1'), QStringLiteral("12\n34")}) {
            const QDBusMessage reply = call(caller, QStringLiteral("MakeCall"), {bad});
            QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
        }
        QCOMPARE(
            call(caller, QStringLiteral("RequestMakeCall"), {QStringLiteral("1"), QString(40, u'x'), QString()}).type(),
            QDBusMessage::ErrorMessage);
        QCOMPARE(requested.size(), 2);
        QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("tel:+48-600-123-456"));
        QCOMPARE(requested.at(1).at(0).toString(), QStringLiteral("777"));

        // A second client finds the name taken and offers nothing; the first keeps it.
        MakeCallService second;
        QVERIFY(!second.start(bus.connect(QStringLiteral("second"))));
        QVERIFY(!second.isOffered());
        QCOMPARE(call(caller, QStringLiteral("MakeCall"), {QStringLiteral("21")}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(requested.size(), 3);

        // Given back, the name is free for the next client.
        service.stop();
        QCOMPARE(call(caller, QStringLiteral("MakeCall"), {QStringLiteral("21")}).type(), QDBusMessage::ErrorMessage);
        QVERIFY(second.start(bus.connect(QStringLiteral("second again"))));
    }

    void withoutABusNothingIsOffered()
    {
        MakeCallService service;
        QVERIFY(!service.start(
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"))));
        QVERIFY(!service.isOffered());
    }
};

QTEST_GUILESS_MAIN(TestMakeCallService)

#include "TestMakeCallService.moc"
