#include "SimClient.h"
#include "SimTestConfig.h"
#include "pbxsim/PbxSimulator.h"

#include <QTest>
#include <memory>

using pbxsim::PbxSimulator;

// Both sides of the telephone services: the client's commands, and the operator playing callers and the person at
// the desk phone, over real loopback connections.
class TestPbxSimServices final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PbxSimulator> m_simulator;

    std::unique_ptr<SimClient> loggedIn(const QString& extension, const QString& pin)
    {
        auto client = std::make_unique<SimClient>(m_simulator->port());
        if (!client->isConnected() || !client->login(extension, pin)) {
            return nullptr;
        }
        return client;
    }

    std::unique_ptr<SimClient> loggedIn21() { return loggedIn(QStringLiteral("21__"), QStringLiteral("1234")); }

    QString control(const char* line) { return m_simulator->control(QString::fromUtf8(line)); }

private slots:
    void init()
    {
        pbxsim::SimulatorConfig config = simTestConfig();
        config.extensions.insert(QStringLiteral("23"), QString());
        config.extensions.insert(QStringLiteral("24"), QStringLiteral("2424"));
        config.noSystemPhone = {QStringLiteral("24")};
        m_simulator = std::make_unique<PbxSimulator>(config);
        QString error;
        QVERIFY2(m_simulator->start(&error), qPrintable(error));
    }

    void cleanup() { m_simulator.reset(); }

    void pickUpAndHangUpFollowTheHook()
    {
        const auto client = loggedIn21();
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aHANG 21__"), 1), wireLines({"aNA 2"}));
        QCOMPARE(client->exchange(QStringLiteral("aPICK 21__"), 2), wireLines({"aOK", "aDRDY 21__"}));
        QCOMPARE(client->exchange(QStringLiteral("aPICK 21__"), 1), wireLines({"aNA 2"}));
        // Going on hook from dial tone releases the line too.
        QCOMPARE(client->exchange(QStringLiteral("aHANG 21__"), 3),
                 wireLines({"aOK", "aREL 21__ 16", "aSTAT 21__ h f d l a p r "}));

        QCOMPARE(control("ring 21 600"), QStringLiteral("ok"));
        QCOMPARE(client->take(1), wireLines({"aRING 21__ 600 0 21"}));
        QCOMPARE(client->exchange(QStringLiteral("aPICK 21__"), 2), wireLines({"aOK", "aCONN 21__ 600"}));
        // One more caller waits during the conversation; a third finds the extension busy.
        QCOMPARE(control("ring 21 601 Anna"), QStringLiteral("ok"));
        QCOMPARE(client->take(1), wireLines({"aRING 21__ 601 0 21 0 Anna"}));
        QVERIFY(control("ring 21 602").startsWith(u"error: 21 is busy"));
        QCOMPARE(client->exchange(QStringLiteral("aHANG 21__"), 3),
                 wireLines({"aOK", "aREL 21__ 16", "aSTAT 21__ h f d l a p r "}));
        // The waiting caller went with the conversation.
        QCOMPARE(control("show 21"), QStringLiteral("ok on hook, idle"));

        // A waiting caller taken holds the conversation.
        control("ring 21 600");
        client->take(1);
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        control("ring 21 601");
        client->take(1);
        QCOMPARE(control("answer 21 601"), QStringLiteral("ok"));
        QCOMPARE(client->take(1), wireLines({"aCONN 21__ 601"}));
        QCOMPARE(control("show 21"), QStringLiteral("ok off hook, connected to 601, held 600"));
    }

    void dialNeedsDialTone()
    {
        const auto client = loggedIn21();
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 123"), 1), wireLines({"aNA 16"}));
        control("ring 21 600");
        client->take(1);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 1"), 1), wireLines({"aNA 16"}));
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__"), 2), wireLines({"aOK", "aREL 21__ 21"}));

        client->exchange(QStringLiteral("aPICK 21__"), 2);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 1/2"), 1), wireLines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 12a"), 1), wireLines({"aNA 9"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 123"), 5),
                 wireLines({"aOK", "aECHO 21__ 1", "aECHO 21__ 2", "aECHO 21__ 3", "aCONN 21__ 123"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 9"), 2), wireLines({"aOK", "aECHO 21__ 9"}));
        QVERIFY(client->staysQuiet(20)); // tones in a conversation connect nothing

        // A busy number releases the line, which is on hook again afterwards.
        client->exchange(QStringLiteral("aHANG 21__"), 3);
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 555"), 5),
                 wireLines({"aOK", "aECHO 21__ 5", "aECHO 21__ 5", "aECHO 21__ 5", "aREL 21__ 17"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 1"), 1), wireLines({"aNA 16"}));

        // An abandoned dial never connects; digits sent while dialling extend the number.
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        client->send({QStringLiteral("aDIAL 21__ 7"), QStringLiteral("aHANG 21__")});
        QCOMPARE(client->take(5),
                 wireLines({"aOK", "aECHO 21__ 7", "aOK", "aREL 21__ 16", "aSTAT 21__ h f d l a p r "}));
        QVERIFY(client->staysQuiet(30));
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        client->send({QStringLiteral("aDIAL 21__ 1"), QStringLiteral("aDIAL 21__ 2")});
        QCOMPARE(client->take(5), wireLines({"aOK", "aECHO 21__ 1", "aOK", "aECHO 21__ 2", "aCONN 21__ 12"}));
    }

    void ringingCallIsRejectedOrDeflected()
    {
        const auto client = loggedIn21();
        const auto other = loggedIn(QStringLiteral("22__"), QStringLiteral("2222"));
        QVERIFY(client && other);
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__"), 1), wireLines({"aNA 3"}));
        QCOMPARE(client->exchange(QStringLiteral("aMCID 21__"), 1), wireLines({"aNA 3"}));

        control("ring 21 601 Jan Nowak");
        client->take(1);
        QCOMPARE(client->exchange(QStringLiteral("aMCID 21__"), 1), wireLines({"aOK"}));
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 21"), 1), wireLines({"aNA 7"}));
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 555"), 1), wireLines({"aNA 4"}));
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 22"), 2), wireLines({"aOK", "aREL 21__ 16"}));
        QCOMPARE(other->take(1), QStringList{QString::fromUtf8("aRING 22__ 601 0 22 0 Jan\u00a0Nowak")});

        // 22 is ringing now, so it takes no second call; a number outside the exchange does.
        control("ring 21 602");
        client->take(1);
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 22"), 1), wireLines({"aNA 4"}));
        QCOMPARE(client->exchange(QStringLiteral("aREJ 21__ 700"), 2), wireLines({"aOK", "aREL 21__ 16"}));
        QVERIFY(other->staysQuiet(20));
    }

    void flashHoldsParksAndReturns()
    {
        const auto client = loggedIn21();
        QVERIFY(client);
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ //"), 1), wireLines({"aNA 3"}));
        client->exchange(QStringLiteral("aDIAL 21__ 100"), 5);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /"), 2), wireLines({"aOK", "aDRDY 21__"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ //"), 2), wireLines({"aOK", "aCONN 21__ 100"}));

        // A consultation call; the hold place is then taken, and "//" swaps the two.
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /20"), 5),
                 wireLines({"aOK", "aDRDY 21__", "aECHO 21__ 2", "aECHO 21__ 0", "aCONN 21__ 20"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /"), 1), wireLines({"aNA 16"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ //"), 2), wireLines({"aOK", "aCONN 21__ 100"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /3"), 1), wireLines({"aOK"}));
        QVERIFY(client->staysQuiet(20));
        QCOMPARE(control("show 21"), QStringLiteral("ok off hook, connected to 100, conference with 20"));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#41"), 1), wireLines({"aNA 3"})); // nobody held

        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#31"), 3),
                 wireLines({"aOK", "aDRDY 21__", "aSTAT 21__ H f d l a P r "}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#99"), 1), wireLines({"aNA 7"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#31"), 3),
                 wireLines({"aOK", "aCONN 21__ 100", "aSTAT 21__ H f d l a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#35"), 1), wireLines({"aOK"}));
    }

    void callPickUpTakesACallRingingElsewhere()
    {
        const auto client = loggedIn21();
        const auto other = loggedIn(QStringLiteral("22__"), QStringLiteral("2222"));
        QVERIFY(client && other);
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#37"), 1), wireLines({"aNA 3"}));
        control("ring 22 600");
        other->take(1);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ /#37"), 2), wireLines({"aOK", "aCONN 21__ 600"}));
        QCOMPARE(other->take(1), wireLines({"aREL 22__ 39"}));
        QCOMPARE(control("show 22"), QStringLiteral("ok on hook, idle"));
    }

    void settingsReplyThenStat()
    {
        const auto client = loggedIn21();
        QVERIFY(client);
        const char* const badForwarding[] = {"aFWD 21__ X A 20 600", "aFWD 21__ I X 20 600", "aFWD 21__ I A x 600",
                                             "aFWD 21__ I A 20 6a0", "aFWD 21__ I A 20",     "aFWD 21__ D 1"};
        for (const char* command : badForwarding) {
            QCOMPARE(client->exchange(QString::fromUtf8(command), 1), wireLines({"aNA 9"}));
        }
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ I A 20 21"), 1), wireLines({"aNA 7"}));
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ R I 3 600"), 2),
                 wireLines({"aOK", "aSTAT 21__ h F d l a p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aFWD 21__ D"), 2), wireLines({"aOK", "aSTAT 21__ h f d l a p r "}));

        QCOMPARE(client->exchange(QStringLiteral("aDND 21__ T"), 2), wireLines({"aOK", "aSTAT 21__ h f D l a p r "}));
        QVERIFY(control("ring 21 600").contains(u"disturbed"));

        QCOMPARE(client->exchange(QStringLiteral("aLOCK 21__ T 9999"), 1), wireLines({"aNA 11"}));
        QCOMPARE(client->exchange(QStringLiteral("aLOCK 21__ T 1234"), 2),
                 wireLines({"aOK", "aSTAT 21__ h f D L a p r "}));
        client->exchange(QStringLiteral("aPICK 21__"), 2);
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 21__ 600"), 1), wireLines({"aNA 18"}));

        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ T 99__ 1234"), 1), wireLines({"aNA 13"}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ T 12__ 4321"), 1), wireLines({"aNA 11"}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ T 12__ 1234"), 2),
                 wireLines({"aOK", "aSTAT 21__ H f D L A p r "}));
        QCOMPARE(client->exchange(QStringLiteral("aACC 21__ F"), 2), wireLines({"aOK", "aSTAT 21__ H f D L a p r "}));

        const auto withoutPin = loggedIn(QStringLiteral("23__"), QStringLiteral("____"));
        QVERIFY(withoutPin);
        QCOMPARE(withoutPin->exchange(QStringLiteral("aLOCK 23__ T ____"), 1), wireLines({"aNA 12"}));
    }

    void analogueSetIsWorkedByHand()
    {
        const auto client = loggedIn(QStringLiteral("24__"), QStringLiteral("2424"));
        QVERIFY(client);
        QCOMPARE(client->exchange(QStringLiteral("aPICK 24__"), 1), wireLines({"aNA 14"}));
        QCOMPARE(control("offhook 24"), QStringLiteral("ok"));
        QCOMPARE(client->take(1), wireLines({"aDRDY 24__"}));
        QCOMPARE(client->exchange(QStringLiteral("aDIAL 24__ 60"), 4),
                 wireLines({"aOK", "aECHO 24__ 6", "aECHO 24__ 0", "aCONN 24__ 60"}));
        QCOMPARE(client->exchange(QStringLiteral("aHANG 24__"), 1), wireLines({"aNA 14"}));
        QCOMPARE(control("onhook 24"), QStringLiteral("ok"));
        QCOMPARE(client->take(1), wireLines({"aREL 24__ 16"}));

        QCOMPARE(control("system-phone 24 on"), QStringLiteral("ok"));
        QCOMPARE(client->exchange(QStringLiteral("aPICK 24__"), 2), wireLines({"aOK", "aDRDY 24__"}));
    }

    void deskPhoneControlWords()
    {
        const auto client = loggedIn21();
        QVERIFY(client);
        QVERIFY(control("keypad 21 1").startsWith(u"error: 21: no dial tone (aNA 16)"));
        QCOMPARE(control("onhook 21"), QStringLiteral("ok (already on hook)"));
        control("offhook 21");
        QCOMPARE(control("offhook 21"), QStringLiteral("ok (already off hook)"));
        QCOMPARE(control("onhook 21"), QStringLiteral("ok"));
        QCOMPARE(client->take(2), wireLines({"aDRDY 21__", "aREL 21__ 16"}));

        control("offhook 21");
        QCOMPARE(control("keypad 21 12"), QStringLiteral("ok"));
        QCOMPARE(client->take(4), wireLines({"aDRDY 21__", "aECHO 21__ 1", "aECHO 21__ 2", "aCONN 21__ 12"}));
        control("onhook 21");
        QCOMPARE(client->take(1), wireLines({"aREL 21__ 16"}));

        control("ring 21 600");
        control("offhook 21");
        QCOMPARE(client->take(2), wireLines({"aRING 21__ 600 0 21", "aCONN 21__ 600"}));
        QCOMPARE(control("dial-delay 0"), QStringLiteral("ok"));
        QVERIFY(control("dial-delay soon").startsWith(u"error"));
    }
};

QTEST_GUILESS_MAIN(TestPbxSimServices)
#include "TestPbxSimServices.moc"
