// The built client against the built PBX stand-in on loopback: calls driven through the stand-in's control port,
// what the client's window shows read from its printed trace, and what the client sent read from the stand-in's
// traffic log.
#include "app/ClientProcess.h"
#include "app/ReadOnlyRows.h"

#include <QFile>
#include <QTest>
#include <memory>

namespace {

const QString BookName = QStringLiteral("Jan Kowalski");
const QString BookNumber = QStringLiteral("600123456");
const QString LoggedIn = QStringLiteral("[state] 0");
const QString Conversation = QStringLiteral("[state] 11");
// Lines of the stand-in's traffic log: "<-" what it received, "->" what it sent (its default PBX in the login
// reply).
const QString LoginAccepted = QStringLiteral(" -> aOK Tolmo 1.45 9");
const QString LogoutRequest = QStringLiteral(" <- aLOGO 21__");
const QString PickUpRequest = QStringLiteral(" <- aPICK 21__");
const QString DialToneEvent = QStringLiteral(" -> aDRDY 21__");
const QString DialRequest = QStringLiteral(" <- aDIAL 21__ ");
// How long a second start may take to hand its request over and end.
constexpr int HandOverPatienceMs = 5000;
// How long the link is watched for traffic that must not come.
constexpr int QuietWatchMs = 1000;

struct HistoryRow {
    int type = 0;
    QString number;
};

// The rows of History2 in that file.
QList<HistoryRow> historyRows(const QString& file)
{
    QList<HistoryRow> rows;
    const QList<QVariantList> read =
        readOnlyRows(file, QStringLiteral("SELECT Typ_Historia, NrTel_Historia FROM History2 ORDER BY ID_Historia"), 2);
    for (const QVariantList& row : read) {
        rows.append({row.at(0).toInt(), row.at(1).toString()});
    }
    return rows;
}

// A stand-in, a client profile with the private contact, and the client started in it.
class ClientAgainstStandIn final {
public:
    bool prepare()
    {
        if (!m_standIn.start()) {
            return false;
        }
        m_profile = std::make_unique<ClientProfile>(m_standIn.port());
        return m_profile->isReady() && m_profile->createPhoneBook(BookName, BookNumber);
    }

    // Starts the client with these arguments and waits until it has logged in.
    bool startClient(const QStringList& arguments = {})
    {
        return m_profile->start(m_client, arguments) && m_client.waitFor(LoggedIn) >= 0;
    }

    // A later start of the same installation, which should hand its arguments to the running client and end.
    bool handOver(const QStringList& arguments)
    {
        ObservedProcess second;
        return m_profile->start(second, arguments) && second.waitForCleanExit(HandOverPatienceMs);
    }

    // Sends a control line to the stand-in; true when it was carried out for a logged-in client.
    bool drive(const QString& line)
    {
        const QString answer = m_standIn.command(line);
        if (answer != QLatin1String("ok")) {
            qWarning().noquote() << line << "was answered" << answer;
            return false;
        }
        return true;
    }

    ObservedProcess& client() { return m_client; }
    ObservedProcess& traffic() { return m_standIn.traffic(); }
    const ClientProfile& profile() const { return *m_profile; }

    bool stopClient() { return m_client.stop(); }

    void stop()
    {
        m_client.stop();
        m_standIn.stop();
    }

    // Everything both programs printed, and the client's error log, to see why a case failed.
    void printOutputs()
    {
        qWarning().noquote() << "client:\n" << m_client.lines().join(u'\n');
        qWarning().noquote() << "stand-in:\n" << traffic().lines().join(u'\n');
        if (m_profile) {
            qWarning().noquote() << "error log:\n" << QString::fromUtf8(readFile(m_profile->errorLogFile()));
        }
    }

private:
    StandIn m_standIn;
    std::unique_ptr<ClientProfile> m_profile;
    ObservedProcess m_client;
};

} // namespace

class TestClientAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        m_pair = std::make_unique<ClientAgainstStandIn>();
        QVERIFY(m_pair->prepare());
    }

    void cleanup()
    {
        m_pair->stop();
        if (QTest::currentTestFailed()) {
            m_pair->printOutputs();
        }
        m_pair.reset();
    }

    void callFromBookNumberIsNamedFromTheBookAndLogged()
    {
        QVERIFY(m_pair->startClient());
        ObservedProcess& client = m_pair->client();
        const qsizetype start = client.lineCount();

        QVERIFY(m_pair->drive(QStringLiteral("ring 21 ") + BookNumber + QStringLiteral(" Someone")));
        QVERIFY(client.waitFor(QStringLiteral("[text] From: ") + BookName, start) >= 0);
        QCOMPARE(client.find(QStringLiteral("Someone"), start), -1);

        QVERIFY(m_pair->drive(QStringLiteral("answer 21")));
        const qsizetype answered = client.waitFor(Conversation, start);
        QVERIFY(answered >= 0);
        QVERIFY(m_pair->drive(QStringLiteral("release 21 16")));
        QVERIFY(client.waitFor(LoggedIn, answered) >= 0);

        // The history is read once the client has ended, however it ended; how it ends is checked on its own.
        m_pair->stopClient();
        const QList<HistoryRow> rows = historyRows(m_pair->profile().historyFile());
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).type, 2);
        QCOMPARE(rows.at(0).number, BookNumber);
    }

    void callerWaitingDuringAConversationIsLoggedAsMissed()
    {
        QVERIFY(m_pair->startClient());
        ObservedProcess& client = m_pair->client();
        const qsizetype start = client.lineCount();
        QVERIFY(m_pair->drive(QStringLiteral("ring 21 ") + BookNumber));
        QVERIFY(m_pair->drive(QStringLiteral("answer 21")));
        const qsizetype answered = client.waitFor(Conversation, start);
        QVERIFY(answered >= 0);
        QVERIFY(m_pair->drive(QStringLiteral("ring 21 700333444 Ewa")));
        QVERIFY(client.waitFor(QStringLiteral("[text] Waiting: Ewa"), answered) >= 0);
        QVERIFY(m_pair->drive(QStringLiteral("release 21 16")));
        QVERIFY(client.waitFor(QStringLiteral("[area] Missed: 1"), answered) >= 0);

        m_pair->stopClient();
        const QList<HistoryRow> rows = historyRows(m_pair->profile().historyFile());
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).type, 2);
        QCOMPARE(rows.at(0).number, BookNumber);
        QCOMPARE(rows.at(1).type, 1);
        QCOMPARE(rows.at(1).number, QStringLiteral("700333444"));
    }

    void terminationLogsOutAndEnds()
    {
        QVERIFY(m_pair->startClient());
        const qsizetype start = m_pair->traffic().lineCount();
        QVERIFY2(m_pair->stopClient(), "the client did not end with exit code 0 within 5 s of SIGTERM");
        QVERIFY(m_pair->traffic().waitFor(LogoutRequest, start) >= 0);
    }

    void aPublicBookThatCannotBeOpenedIsToldInTheWindowAndTheErrorLog()
    {
        // A folder that can never be created: the public book stays closed and the user is told once.
        QVERIFY(m_pair->profile().addSettings("[Ksiazka]\nKsPubliczna=/proc/tervo-no-such-share\n"));
        QVERIFY(m_pair->startClient());
        ObservedProcess& client = m_pair->client();
        const QString told = QStringLiteral("public phone book is invalid or unavailable! Default settings will be set "
                                            "temporarily");
        QVERIFY(client.waitFor(told, 0) >= 0);
        m_pair->stopClient();
        QFile errorLog(m_pair->profile().errorLogFile());
        QVERIFY(errorLog.open(QIODevice::ReadOnly));
        QCOMPARE(errorLog.readAll().count("public phone book is invalid or unavailable!"), 1);
    }

    void unansweredCallIsCountedAsMissed()
    {
        QVERIFY(m_pair->startClient());
        const qsizetype start = m_pair->client().lineCount();
        QVERIFY(m_pair->drive(QStringLiteral("ring 21 ") + BookNumber + QStringLiteral(" Someone")));
        QVERIFY(m_pair->drive(QStringLiteral("release 21 16")));
        QVERIFY(m_pair->client().waitFor(QStringLiteral("[area] Missed: 1"), start) >= 0);
    }

    void secondStartHandsItsDialToTheRunningClient()
    {
        QVERIFY(m_pair->startClient());
        ObservedProcess& traffic = m_pair->traffic();
        const qsizetype start = traffic.lineCount();
        QVERIFY(m_pair->handOver({QStringLiteral("dial"), BookNumber}));

        const qsizetype pick = traffic.waitFor(PickUpRequest, start);
        QVERIFY(pick >= 0);
        const qsizetype ready = traffic.waitFor(DialToneEvent, pick);
        QVERIFY(ready >= 0);
        QVERIFY(traffic.waitFor(DialRequest + BookNumber, ready) >= 0);
    }

    void internationalDialRequestFindsTheStoredNationalNumber()
    {
        QVERIFY(m_pair->startClient());
        ObservedProcess& traffic = m_pair->traffic();
        const qsizetype start = traffic.lineCount();
        QVERIFY(m_pair->handOver({QStringLiteral("dial"), QStringLiteral("tel:+48-600-123-456")}));

        const qsizetype pick = traffic.waitFor(PickUpRequest, start);
        QVERIFY(pick >= 0);
        QVERIFY(traffic.waitFor(DialRequest + BookNumber, pick) >= 0);
        QVERIFY(m_pair->client().find(QStringLiteral("[entry] 0048600123456")) < 0);
    }

    void secondStartWithAnUnknownNumberOnlyFillsTheEntry()
    {
        QVERIFY(m_pair->startClient());
        ObservedProcess& traffic = m_pair->traffic();
        const qsizetype start = traffic.lineCount();
        QVERIFY(m_pair->handOver({QStringLiteral("dial"), QStringLiteral("tel:777")}));

        QVERIFY(m_pair->client().waitFor(QStringLiteral("[entry] 777")) >= 0);
        QTest::qWait(QuietWatchMs);
        for (const QString& line : traffic.lines().mid(start)) {
            QVERIFY2(!line.contains(PickUpRequest) && !line.contains(DialRequest), qPrintable(line));
        }
    }

    void firstStartDialsOnceLoggedIn()
    {
        QVERIFY(m_pair->startClient({QStringLiteral("dial"), BookNumber}));
        ObservedProcess& traffic = m_pair->traffic();
        const qsizetype login = traffic.find(LoginAccepted);
        QVERIFY(login >= 0);
        const qsizetype pick = traffic.waitFor(PickUpRequest, login);
        QVERIFY(pick >= 0);
        QVERIFY(traffic.waitFor(DialRequest + BookNumber, pick) >= 0);
    }

private:
    std::unique_ptr<ClientAgainstStandIn> m_pair;
};

QTEST_GUILESS_MAIN(TestClientAgainstStandIn)

#include "TestClientAgainstStandIn.moc"
