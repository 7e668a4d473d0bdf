#include "SimClient.h"
#include "SimTestConfig.h"
#include "pbxsim/PbxSimulator.h"
#include "pbxsim/WireText.h"

#include <QTest>
#include <memory>

using pbxsim::PbxSimulator;

// The stand-in's answers to the telephone client's commands, over a real loopback connection.
class TestPbxSimProtocol final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PbxSimulator> m_simulator;

    std::unique_ptr<SimClient> loggedIn(const QString& extension = QStringLiteral("21__"),
                                        const QString& pin = QStringLiteral("1234"))
    {
        auto client = std::make_unique<SimClient>(m_simulator->port());
        if (!client->isConnected() || !client->login(extension, pin)) {
            return nullptr;
        }
        return client;
    }

private slots:
    void init()
    {
        pbxsim::SimulatorConfig config = simTestConfig();
        config.extensions.insert(QStringLiteral("23"), QString());
        config.pbxType = QStringLiteral("Tester");
        config.protocolLevel = 10;
        m_simulator = std::make_unique<PbxSimulator>(config);
        QString error;
        QVERIFY2(m_simulator->start(&error), qPrintable(error));
    }

    void cleanup() { m_simulator.reset(); }

    void wireFields()
    {
        using namespace pbxsim::WireText;
        QCOMPARE(padField(QStringLiteral("12")), QStringLiteral("12__"));
        QCOMPARE(padField(QStringLiteral("12345")), QStringLiteral("12345"));
        QCOMPARE(unpadField(u"____"), QString());
        QCOMPARE(maskSecrets(QStringLiteral("aLOGI 21__ 1234")), QStringLiteral("aLOGI 21__ ****"));
        QCOMPARE(maskSecrets(QStringLiteral("aLOCK 21__ T 1234")), QStringLiteral("aLOCK 21__ T ****"));
        QCOMPARE(maskSecrets(QStringLiteral("aACC 21__ T 12__ 1234")), QStringLiteral("aACC 21__ T 12__ ****"));
        QCOMPARE(maskSecrets(QStringLiteral("aLOGI")), QStringLiteral("aLOGI"));
    }

    void loginIsCheckedBeforeAnyCommand()
    {
        SimClient client(m_simulator->port());
        QVERIFY(client.isConnected());
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), wireLines({"aNA 1"}));
        client.send(QStringLiteral("aRQST 21__"));
        client.send(QString()); // keep-alive
        QVERIFY(client.staysQuiet(30));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 99__ 1234"), 1), wireLines({"aNA 7"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 9999"), 1), wireLines({"aNA 11"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ ____"), 1), wireLines({"aNA 12"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI"), 1), wireLines({"aNA 9"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 1234"), 1), wireLines({"aOK Tester 1.45 10"}));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 22__"), 1), wireLines({"aNA 1"}));
        QCOMPARE(client.exchange(QStringLiteral("hello there"), 1), wireLines({"aERROR"}));
        QCOMPARE(client.exchange(QStringLiteral("aMCID 21__"), 1), wireLines({"aNA 3"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGO 21__"), 1), wireLines({"aOK"}));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), wireLines({"aNA 1"}));

        SimClient withoutPin(m_simulator->port());
        QVERIFY(withoutPin.login(QStringLiteral("23__"), QStringLiteral("____")));
    }

    void eventsReachEverySessionOfTheExtension()
    {
        const auto first = loggedIn();
        const auto second = loggedIn();
        const auto other = loggedIn(QStringLiteral("22__"), QStringLiteral("2222"));
        QVERIFY(first && second && other);
        QCOMPARE(m_simulator->control(QStringLiteral("sessions")), QStringLiteral("ok 21 22"));
        first->send(QStringLiteral("aDND 21__ T"));
        QCOMPARE(first->take(2), wireLines({"aOK", "aSTAT 21__ h f D l a p r "}));
        QCOMPARE(second->take(1), wireLines({"aSTAT 21__ h f D l a p r "}));
        QVERIFY(other->staysQuiet(20));

        // A session that logs in again as another extension follows that one.
        QVERIFY(second->login(QStringLiteral("22__"), QStringLiteral("2222")));
        m_simulator->control(QStringLiteral("ring 22 600"));
        QCOMPARE(second->take(1), wireLines({"aRING 22__ 600 0 22"}));
        QCOMPARE(other->take(1), wireLines({"aRING 22__ 600 0 22"}));
        QVERIFY(first->staysQuiet(20));
    }

    void rulesForceRepliesForACount()
    {
        QCOMPARE(m_simulator->control(QStringLiteral("rule LOGI na 105 1")), QStringLiteral("ok"));
        SimClient client(m_simulator->port());
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 1234"), 1), wireLines({"aNA 105"}));
        QVERIFY(client.login(QStringLiteral("21__"), QStringLiteral("1234")));

        m_simulator->control(QStringLiteral("rule aDIAL na 4 2"));
        m_simulator->control(QStringLiteral("rule pick error"));
        QCOMPARE(m_simulator->control(QStringLiteral("rule list")),
                 QStringLiteral("ok DIAL aNA 4 2, PICK aERROR always"));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 1), wireLines({"aNA 4"}));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 1), wireLines({"aNA 4"}));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 1), wireLines({"aNA 16"})); // on hook
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), wireLines({"aERROR"}));
        }
        m_simulator->control(QStringLiteral("rule clear"));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 2), wireLines({"aOK", "aDRDY 21__"}));
    }

    void hostileInputIsSurvived()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        QByteArray junk(10000, 'x');
        junk += QByteArray("\x80\xff\t\x01", 4);
        client->socket().write(junk);
        // The overlong line is cut into pieces of 4096 bytes, each answered as an unknown command.
        QCOMPARE(client->take(3), wireLines({"aERROR", "aERROR", "aERROR"}));
        QCOMPARE(client->exchange(QStringLiteral("aRQST 21__"), 1), wireLines({"aSTAT 21__ h f d l a p r "}));
    }
};

QTEST_GUILESS_MAIN(TestPbxSimProtocol)
#include "TestPbxSimProtocol.moc"
