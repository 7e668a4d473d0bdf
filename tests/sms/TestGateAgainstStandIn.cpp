#include "GateFakes.h"
#include "pbxsim/PbxSimulator.h"
#include "settings/SettingsRecord.h"
#include "sms/TToSMS.h"
#include "support/QuietStandIn.h"

#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int Patience = 5000;

// The real gate link on a loopback socket to the stand-in. The send timer is stopped and ticked by the test, so
// no test waits out the link's one-second pace.
struct GateClient {
    explicit GateClient(quint16 port, const QString& pin = QStringLiteral("1234"))
    {
        settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        settings.Siec.Port = port;
        settings.Sms.SmsOn = true;
        settings.Sms.Klucz = pin;
        settings.Sms.Translacja = QStringLiteral("7");
        settings.Sms.SMSSendRead = true;
        gate.setPolish(true);
        gate.link().claim(&window);
        gate.link().connectToServer();
    }

    // Ticks the send timer until condition holds.
    bool tickUntil(const std::function<bool()>& condition)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > Patience) {
                return false;
            }
            gate.timer(GateTimer::SendCommand).stop();
            gate.link().onTimer(GateTimer::SendCommand);
            QTest::qWait(5);
        }
        return true;
    }

    bool logIn()
    {
        return tickUntil([this] { return gate.link().isLoggedIn() || gate.link().loginFailed(); }) &&
               gate.link().isLoggedIn();
    }

    SettingsRecord settings;
    PlainGateTexts texts;
    RecordingSendListener window;
    TToSMS gate{settings, texts, [](int bound) {
                    return bound / 2;
                }};
};

} // namespace

// The gate link against the stand-in's GSM gate on loopback: login, a Polish segment there and back in code
// page 852, the centre's answer and the report, busy refusals, incoming segments, a refused PIN and a dropped line.
class TestGateAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void sendsASegmentAndHearsTheCentreAndTheReport()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        standIn.gate().setDelays(5, 20);
        GateClient client(standIn.port());
        QSignalSpy console(&client.gate, &TToSMS::consoleWritten);
        QSignalSpy gateNumber(&client.gate, &TToSMS::gateNumberShown);
        QSignalSpy reports(&client.gate, &TToSMS::deliveryReport);
        QVERIFY(client.logIn());
        QCOMPARE(gateNumber.last().at(0).toString(), QStringLiteral("600700007"));
        bool masked = false;
        for (const auto& line : console) {
            QVERIFY(!line.at(0).toString().contains(u"1234"));
            masked = masked || line.at(0).toString() == u"aLOGI G007 ****";
        }
        QVERIFY(masked);

        standIn.control(QStringLiteral("gatefault busy 2"));
        client.gate.link().sendSegment(QStringLiteral("600123456"), QStringLiteral("Zażółć gęślą jaźń"), false, 167);
        QVERIFY(client.tickUntil([&client] { return !client.window.accepted.isEmpty(); }));
        QCOMPARE(standIn.gate().sentSegments(), QStringList{QStringLiteral("600123456 N 167 Zażółć gęślą jaźń")});
        QVERIFY(client.tickUntil([&reports] { return !reports.isEmpty(); }));
        const auto report = reports.first().at(0).value<GateLines::DeliveryReport>();
        QCOMPARE(report.outcome, GateLines::DeliveryReport::Outcome::Delivered);
        QCOMPARE(report.reference, client.window.accepted.first());
        QVERIFY(client.tickUntil([&standIn] { return standIn.gate().acknowledged().size() == 1; }));
        QVERIFY(client.window.failures.isEmpty());
    }

    void receivesSegmentsWithTheirBytesKept()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        GateClient client(standIn.port());
        QSignalSpy segments(&client.gate, &TToSMS::incomingSegment);
        QVERIFY(client.logIn());
        QCOMPARE(standIn.control(QStringLiteral("sms 007 +48600123456 9 2 2,1 Łódź\\nmiasto")), QStringLiteral("ok"));
        QTRY_COMPARE_WITH_TIMEOUT(segments.size(), 2, Patience);
        const auto second = segments.at(0).at(0).value<GateLines::IncomingSegment>();
        const auto first = segments.at(1).at(0).value<GateLines::IncomingSegment>();
        QCOMPARE(second.number, 2);
        QCOMPARE(first.total, 2);
        QCOMPARE(first.text + second.text, QStringLiteral("Łódź\\nmiasto"));
        QCOMPARE(first.sender, QStringLiteral("+48600123456"));
        QVERIFY(first.stamped.isValid());
        QVERIFY(client.tickUntil([&standIn] { return standIn.gate().acknowledged().size() == 2; }));
    }

    void refusedPinIsReported()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        GateClient client(standIn.port(), QStringLiteral("9999"));
        QVERIFY(!client.logIn());
        QCOMPARE(client.gate.link().statusText(), QStringLiteral("login refused 11"));
        QCOMPARE(client.gate.timer(GateTimer::Connect).interval(), 30000);
    }

    void droppedLineEndsTheWaitingSend()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        GateClient client(standIn.port());
        QVERIFY(client.logIn());
        standIn.control(QStringLiteral("gatefault drop"));
        client.gate.link().sendSegment(QStringLiteral("600123456"), QStringLiteral("Hello"), false, 167);
        QVERIFY(client.tickUntil([&client] { return !client.window.failures.isEmpty(); }));
        QCOMPARE(client.window.failures.first(),
                 QStringLiteral("The SMS was not sent: not connected to the SMS gate."));
        QCOMPARE(client.gate.timer(GateTimer::Connect).interval(), 500);
    }
};

QTEST_GUILESS_MAIN(TestGateAgainstStandIn)
#include "TestGateAgainstStandIn.moc"
