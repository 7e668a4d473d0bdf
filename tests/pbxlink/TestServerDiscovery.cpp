// Searches on the loopback network only: the stand-in servers listen on 127.0.0.1 or on the loopback broadcast
// address 127.255.255.255, and the searches are given those addresses instead of the machine's adapters.
#include "BusyDiscoveryPort.h"
#include "pbxlink/discovery/ServerDiscovery.h"
#include "support/ManualClock.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

using namespace std::chrono_literals;

char* toString(const DiscoveredServer& server)
{
    return QTest::toString(server.address + QLatin1Char(':') + QString::number(server.port));
}

namespace {

const QHostAddress LoopbackBroadcast(QStringLiteral("127.255.255.255"));
const QByteArray Question("WHO PHONE\r\n");

// A PBX server's stand-in: records each question and answers it with the datagrams set beforehand.
class StandInServer final : public QObject {
public:
    // Several stand-ins can share the broadcast address and port; each receives every broadcast.
    bool listen(const QHostAddress& address, quint16 port = 0)
    {
        connect(&m_socket, &QUdpSocket::readyRead, this, &StandInServer::answerQuestions);
        return m_socket.bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    }

    quint16 port() const { return m_socket.localPort(); }
    void setAnswers(const QList<QByteArray>& answers) { m_answers = answers; }
    QList<QByteArray> questions() const { return m_questions; }
    quint16 askerPort() const { return m_asker.senderPort(); }

    // An answer to the last question, sent whenever the test wants.
    void answer(const QByteArray& datagram) { m_socket.writeDatagram(m_asker.makeReply(datagram)); }

private:
    void answerQuestions()
    {
        while (m_socket.hasPendingDatagrams()) {
            m_asker = m_socket.receiveDatagram();
            m_questions.append(m_asker.data());
            for (const QByteArray& datagram : std::as_const(m_answers)) {
                answer(datagram);
            }
        }
    }

    QUdpSocket m_socket;
    QList<QByteArray> m_answers;
    QList<QByteArray> m_questions;
    QNetworkDatagram m_asker;
};

DiscoveredServer serverAt(QSignalSpy& spy, int index)
{
    return spy.at(index).at(0).value<DiscoveredServer>();
}

} // namespace

class TestServerDiscovery final : public QObject {
    Q_OBJECT

private slots:
    void broadcastCollectsEveryServerOnce()
    {
        StandInServer first;
        StandInServer second;
        QVERIFY(first.listen(LoopbackBroadcast));
        QVERIFY(second.listen(LoopbackBroadcast, first.port()));
        const QByteArray firstAnswer("USR0001PHONE 10.0.0.1:5524\r\n");
        first.setAnswers({"garbage", firstAnswer, "USR0001PHONE 10.0.0.9:0\r", firstAnswer});
        second.setAnswers({"USR0002PHONE 10.0.0.2:6000\r"});

        ServerDiscovery discovery([] { return QList<QHostAddress>{LoopbackBroadcast}; }, Clock::system(), first.port(),
                                  300ms);
        QSignalSpy started(&discovery, &ServerDiscovery::searchStarted);
        QSignalSpy answers(&discovery, &ServerDiscovery::answerReceived);
        QSignalSpy several(&discovery, &ServerDiscovery::severalServersFound);
        discovery.start();
        QCOMPARE(started.size(), 1);
        QVERIFY(several.wait(5000));

        QCOMPARE(first.questions(), QList<QByteArray>{Question});
        QCOMPARE(second.questions(), QList<QByteArray>{Question});
        QCOMPARE(answers.size(), 3);
        QList<DiscoveredServer> found = several.at(0).at(0).value<QList<DiscoveredServer>>();
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.port < b.port; });
        const QList<DiscoveredServer> expected{{QStringLiteral("10.0.0.1"), 5524}, {QStringLiteral("10.0.0.2"), 6000}};
        QCOMPARE(found, expected);
        QCOMPARE(discovery.servers().size(), 2);
        QVERIFY(discovery.isWindowClosed());
    }

    void lateAnswersAreReportedAndSearchesRepeat()
    {
        StandInServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        server.setAnswers({"USR0001PHONE pbx.local:5524\r"});
        ServerDiscovery discovery([] { return QList<QHostAddress>{QHostAddress::LocalHost}; }, Clock::system(),
                                  server.port(), 200ms);
        QSignalSpy answers(&discovery, &ServerDiscovery::answerReceived);
        QSignalSpy found(&discovery, &ServerDiscovery::serverFound);
        QSignalSpy several(&discovery, &ServerDiscovery::severalServersFound);
        const DiscoveredServer pbx{QStringLiteral("pbx.local"), 5524};

        discovery.start();
        QVERIFY(found.wait(5000));
        QCOMPARE(serverAt(found, 0), pbx);
        QCOMPARE(answers.at(0).at(1).toBool(), false);

        server.answer("USR0002PHONE other:7000\r");
        QVERIFY(answers.wait(5000));
        QCOMPARE(serverAt(answers, 1), (DiscoveredServer{QStringLiteral("other"), 7000}));
        QCOMPARE(answers.at(1).at(1).toBool(), true);
        QCOMPARE(discovery.servers(), QList<DiscoveredServer>{pbx});

        discovery.start();
        QVERIFY(!discovery.isWindowClosed());
        QVERIFY(discovery.servers().isEmpty());
        QVERIFY(found.wait(5000));
        QCOMPARE(serverAt(found, 1), pbx);
        QCOMPARE(answers.at(2).at(1).toBool(), false);
        QCOMPARE(server.questions().size(), 2);
        QCOMPARE(several.size(), 0);
    }

    void busyPortsAreRedrawnThenSilenceFindsNoServer()
    {
        QUdpSocket blocker;
        const int busy = holdDiscoveryPort(blocker);
        QVERIFY(busy >= 0);

        int draws = 0;
        ManualClock alwaysBusy;
        alwaysBusy.draw = [&](int) {
            ++draws;
            return busy;
        };
        ServerDiscovery stuck([] { return QList<QHostAddress>{}; }, alwaysBusy, 9, 20ms);
        QSignalSpy openFailed(&stuck, &ServerDiscovery::openFailed);
        QSignalSpy stuckStarted(&stuck, &ServerDiscovery::searchStarted);
        stuck.start();
        QCOMPARE(openFailed.size(), 1);
        QCOMPARE(stuckStarted.size(), 0);
        QVERIFY(draws > 1 && draws <= 100);

        StandInServer mute;
        QVERIFY(mute.listen(QHostAddress::LocalHost));
        QList<int> drawn;
        ManualClock busyFirst;
        busyFirst.draw = [&](int bound) {
            drawn.append(drawn.isEmpty() ? busy : Clock::system().random(bound));
            return drawn.last();
        };
        ServerDiscovery discovery([] { return QList<QHostAddress>{QHostAddress::LocalHost}; }, busyFirst, mute.port(),
                                  20ms);
        QSignalSpy started(&discovery, &ServerDiscovery::searchStarted);
        QSignalSpy none(&discovery, &ServerDiscovery::noServerFound);
        discovery.start();
        QCOMPARE(started.size(), 1);
        QVERIFY(drawn.size() >= 2);
        QVERIFY(none.wait(5000));
        QCOMPARE(mute.questions(), QList<QByteArray>{Question});
        QCOMPARE(mute.askerPort(), quint16(49152 + drawn.last()));
    }

    void sendErrorsFailTheSearchOnlyWhenNothingWasAsked()
    {
        // An IPv6 target cannot be reached from the IPv4 socket.
        ServerDiscovery discovery([] { return QList<QHostAddress>{QHostAddress::LocalHostIPv6}; }, Clock::system(), 9,
                                  20ms);
        QSignalSpy failed(&discovery, &ServerDiscovery::searchFailed);
        QSignalSpy started(&discovery, &ServerDiscovery::searchStarted);
        discovery.start();
        QCOMPARE(failed.size(), 1);
        QCOMPARE(started.size(), 0);

        // One unreachable address among others: the rest are asked all the same.
        StandInServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        server.setAnswers({"USR0001PHONE 127.0.0.1:5524\r"});
        ServerDiscovery mixed(
            [] {
                return QList<QHostAddress>{QHostAddress::LocalHostIPv6, QHostAddress::LocalHost};
            },
            Clock::system(), server.port(), 200ms);
        QSignalSpy mixedFailed(&mixed, &ServerDiscovery::searchFailed);
        QSignalSpy found(&mixed, &ServerDiscovery::serverFound);
        mixed.start();
        QCOMPARE(mixedFailed.size(), 0);
        QVERIFY(found.wait(5000));
        QCOMPARE(server.questions(), QList<QByteArray>{Question});
    }
};

QTEST_GUILESS_MAIN(TestServerDiscovery)
#include "TestServerDiscovery.moc"
