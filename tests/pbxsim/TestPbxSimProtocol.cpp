#include "SimClient.h"
#include "SimTestConfig.h"
#include "pbxsim/PbxSimulator.h"
#include "pbxsim/WireText.h"

#include <QTest>
#include <memory>

using pbxsim::PbxSimulator;

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts) {
        list.append(QString::fromUtf8(text));
    }
    return list;
}

} // namespace

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
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), lines({"aNA 1"}));
        client.send(QStringLiteral("aRQST 21__"));
        client.send(QString()); // keep-alive
        QVERIFY(client.staysQuiet(30));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 99__ 1234"), 1), lines({"aNA 7"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 9999"), 1), lines({"aNA 11"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ ____"), 1), lines({"aNA 12"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI"), 1), lines({"aNA 9"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 1234"), 1), lines({"aOK Tester 1.45 10"}));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 22__"), 1), lines({"aNA 1"}));
        QCOMPARE(client.exchange(QStringLiteral("hello there"), 1), lines({"aERROR"}));
        QCOMPARE(client.exchange(QStringLiteral("aMCID 21__"), 1), lines({"aOK"}));
        QCOMPARE(client.exchange(QStringLiteral("aLOGO 21__"), 1), lines({"aOK"}));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), lines({"aNA 1"}));

        SimClient withoutPin(m_simulator->port());
        QVERIFY(withoutPin.login(QStringLiteral("23__"), QStringLiteral("____")));
    }

    void pickUpHangUpAndDial()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aPICK 21__"), 2), lines({"aOK", "aDRDY 21__"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 123"), 5),
                 lines({"aOK", "aECHO 21__ 1", "aECHO 21__ 2", "aECHO 21__ 3", "aCONN 21__ 123"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 9"), 2), lines({"aOK", "aECHO 21__ 9"}));
        QVERIFY(client->staysQuiet(20)); // tones in a conversation connect nothing
        QCOMPARE(client->exchange(QStringLiteral("aHANG 21__"), 3),
                 lines({"aOK", "aREL 21__ 16", "aSTAT 21__ h f d l a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aHANG 21__"), 2), lines({"aOK", "aSTAT 21__ h f d l a p r "}));

        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 555"), 5),
                 lines({"aOK", "aECHO 21__ 5", "aECHO 21__ 5", "aECHO 21__ 5", "aREL 21__ 17"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 12a"), 1), lines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__"), 1), lines({"aNA 9"}));
    }

    void abandonedDialDoesNotConnectLater()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        client->send({QStringLiteral("aDIAL 21__ 7"), QStringLiteral("aHANG 21__")});
        QCOMPARE(client->take(5), lines({"aOK", "aECHO 21__ 7", "aOK", "aREL 21__ 16", "aSTAT 21__ h f d l a p r "}));
        QVERIFY(client->staysQuiet(30));

        // Digits sent while still dialling extend the number.
        client->send({QStringLiteral("aDIAL 21__ 1"), QStringLiteral("aDIAL 21__ 2")});
        QCOMPARE(client->take(5), lines({"aOK", "aECHO 21__ 1", "aOK", "aECHO 21__ 2", "aCONN 21__ 12"}));
    }

    void featureSequences()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        client->exchange(QStringLiteral("aDIAL 21__ 100"), 5);
        // A flash and digits holds 100 and calls 200; "//" goes back to 100.
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /200"), 5),
                 lines({"aOK", "aECHO 21__ 2", "aECHO 21__ 0", "aECHO 21__ 0", "aCONN 21__ 200"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ //"), 2), lines({"aOK", "aCONN 21__ 100"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /3"), 1), lines({"aOK"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#31"), 2), lines({"aOK", "aSTAT 21__ H f d l a P r "}));
        QVERIFY(client->staysQuiet(20));
    }

    void settingsAnswerWithStat()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aDND 21__ T"), 2), lines({"aOK", "aSTAT 21__ h f D l a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aDND 21__ X"), 1), lines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aLOCK 21__ T 9999"), 1), lines({"aNA 11"}));
        QCOMPARE(client->exchange(QStringLiteral("aLOCK 21__ T 1234"), 2), lines({"aOK", "aSTAT 21__ h f D L a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ 1 2 30 600"), 1), lines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ 1 2 30 600 x"), 2),
                 lines({"aOK", "aSTAT 21__ h F D L a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ T 12__ 1234"), 2),
                 lines({"aOK", "aSTAT 21__ h F D L A p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ T"), 1), lines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ D"), 2), lines({"aOK", "aSTAT 21__ h f D L A p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ F"), 2), lines({"aOK", "aSTAT 21__ h f D L a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aRQST 21__"), 1), lines({"aSTAT 21__ h f D L a p r "}));
    }

    void ringingCallIsAnsweredOrRejected()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__"), 1), lines({"aNA 3"}));
        QCOMPARE(m_simulator->control(QStringLiteral("ring 21 600")), QStringLiteral("ok"));
        QCOMPARE(client->take(1), lines({"aRING 21__ 600 0 21"}));
        QCOMPARE(client->exchange(QStringLiteral("aPICK 21__"), 2), lines({"aOK", "aCONN 21__ 600"}));
        client->exchange(QStringLiteral("aHANG 21__"), 3);

        m_simulator->control(QStringLiteral("ring 21 601"));
        client->take(1);
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 700"), 2), lines({"aOK", "aREL 21__ 16"}));
    }

    void eventsReachEverySessionOfTheExtension()
    {
        const auto first = loggedIn();
        const auto second = loggedIn();
        const auto other = loggedIn(QStringLiteral("22__"), QStringLiteral("2222"));
        QVERIFY(first && second && other);
        QCOMPARE(m_simulator->control(QStringLiteral("sessions")), QStringLiteral("ok 21 22"));
        first->send(QStringLiteral("aDND 21__ T"));
        QCOMPARE(first->take(2), lines({"aOK", "aSTAT 21__ h f D l a p r "}));
        QCOMPARE(second->take(1), lines({"aSTAT 21__ h f D l a p r "}));
        QVERIFY(other->staysQuiet(20));

        // A session that logs in again as another extension follows that one.
        QVERIFY(second->login(QStringLiteral("22__"), QStringLiteral("2222")));
        m_simulator->control(QStringLiteral("ring 22 600"));
        QCOMPARE(second->take(1), lines({"aRING 22__ 600 0 22"}));
        QCOMPARE(other->take(1), lines({"aRING 22__ 600 0 22"}));
        QVERIFY(first->staysQuiet(20));
    }

    void rulesForceRepliesForACount()
    {
        QCOMPARE(m_simulator->control(QStringLiteral("rule LOGI na 105 1")), QStringLiteral("ok"));
        SimClient client(m_simulator->port());
        QCOMPARE(client.exchange(QStringLiteral("aLOGI 21__ 1234"), 1), lines({"aNA 105"}));
        QVERIFY(client.login(QStringLiteral("21__"), QStringLiteral("1234")));

        m_simulator->control(QStringLiteral("rule aDIAL na 4 2"));
        m_simulator->control(QStringLiteral("rule pick error"));
        QCOMPARE(m_simulator->control(QStringLiteral("rule list")),
                 QStringLiteral("ok DIAL aNA 4 2, PICK aERROR always"));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 1), lines({"aNA 4"}));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 1), lines({"aNA 4"}));
        QCOMPARE(client.exchange(QStringLiteral("aDIAL 21__ 1"), 3), lines({"aOK", "aECHO 21__ 1", "aCONN 21__ 1"}));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 1), lines({"aERROR"}));
        }
        m_simulator->control(QStringLiteral("rule clear"));
        QCOMPARE(client.exchange(QStringLiteral("aPICK 21__"), 2), lines({"aOK", "aDRDY 21__"}));
    }

    void hostileInputIsSurvived()
    {
        const auto client = loggedIn();
        QVERIFY(client);
        QByteArray junk(10000, 'x');
        junk += QByteArray("\x80\xff\t\x01", 4);
        client->socket().write(junk);
        // The overlong line is cut into pieces of 4096 bytes, each answered as an unknown command.
        QCOMPARE(client->take(3), lines({"aERROR", "aERROR", "aERROR"}));
        QCOMPARE(client->exchange(QStringLiteral("aRQST 21__"), 1), lines({"aSTAT 21__ h f d l a p r "}));
    }
};

QTEST_GUILESS_MAIN(TestPbxSimProtocol)
#include "TestPbxSimProtocol.moc"
