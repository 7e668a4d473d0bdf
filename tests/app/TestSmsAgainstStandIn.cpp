// The built client with SMS switched on against the built stand-in's GSM gate on loopback: an incoming message
// of several segments, sent by the stand-in's control port, ends up as one row in the client's history file; a
// message typed into the compose window (by the client's test driver) goes to two recipients, is reported
// delivered to both, and leaves a delivered row for each segment.
#include "app/ClientProcess.h"
#include "app/ReadOnlyRows.h"

#include <QTest>

namespace {

// The gate 007 with the stand-in's PIN 1234, as the settings file keeps it; receiving switched on.
const QByteArray SmsSettings = "[Sms]\n"
                               "SmsOn=1\n"
                               "SMSSendRead=1\n"
                               "Translacja=7\n"
                               "SmsKier=48\n"
                               "Klucz=x5cJmYd2rRcBNHV6\n";

struct SmsRow {
    int kind = 0;
    int reference = 0;
    QString number;
    QString text;
};

// The SMS rows of the history file with their texts.
QList<SmsRow> smsRows(const QString& file)
{
    QList<SmsRow> rows;
    const QList<QVariantList> read =
        readOnlyRows(file,
                     QStringLiteral("SELECT h.Typ_Historia, h.ZlecenieID, h.NrTel_Historia, s.Wiadomosc "
                                    "FROM History2 h JOIN Sms s ON s.ID = h.SmsID ORDER BY h.ID_Historia"),
                     4);
    for (const QVariantList& row : read) {
        rows.append({row.at(0).toInt(), row.at(1).toInt(), row.at(2).toString(), row.at(3).toString()});
    }
    return rows;
}

} // namespace

class TestSmsAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        QVERIFY(m_standIn.start());
        m_profile = std::make_unique<ClientProfile>(m_standIn.port());
        QVERIFY(m_profile->isReady());
        QFile settings(m_profile->paths().sharedFolderSettingsFile());
        QVERIFY(settings.open(QIODevice::Append) && settings.write(SmsSettings) == SmsSettings.size());
    }

    void cleanup()
    {
        m_client.stop();
        m_standIn.stop();
        if (QTest::currentTestFailed()) {
            qWarning().noquote() << "client:\n" << m_client.lines().join(u'\n');
            qWarning().noquote() << "stand-in:\n" << m_standIn.traffic().lines().join(u'\n');
        }
        m_profile.reset();
    }

    void segmentsArrivingOutOfOrderMakeOneReceivedRow()
    {
        QVERIFY(startClient());
        QVERIFY(QTest::qWaitFor([this] { return gateLoggedIn(); }, StepPatienceMs));
        QCOMPARE(m_standIn.command(QStringLiteral("sms 007 +48600123456 12 3 2,1,3 Lunch at noon,\\nsee you")),
                 QStringLiteral("ok"));

        QVERIFY(QTest::qWaitFor([this] { return !smsRows(m_profile->historyFile()).isEmpty(); }, StepPatienceMs));
        // Each segment is acknowledged, one per tick of the link's send pace.
        QVERIFY(QTest::qWaitFor([this] { return acknowledgements() == 3; }, StepPatienceMs));
        const QList<SmsRow> rows = smsRows(m_profile->historyFile());
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, 8);
        QCOMPARE(rows[0].reference, 12 + 256);
        QCOMPARE(rows[0].number, QStringLiteral("600123456"));
        QCOMPARE(rows[0].text, QStringLiteral("Lunch at noon,\r\nsee you"));
        QVERIFY(m_client.stop());
        // The console lines the client prints show the login with its PIN hidden.
        QVERIFY(std::none_of(m_client.lines().cbegin(), m_client.lines().cend(),
                             [](const QString& line) { return line.contains(QStringLiteral("G007 1234")); }));
    }

    void messageToTwoRecipientsIsDeliveredToBoth()
    {
        // 200 plain characters: a segment of 160 and one of 40.
        const QString text = QString(160, u'a') + QString(40, u'b');
        QVERIFY(startClient({{QStringLiteral("TERVO_TEST_SMS_TO"), QStringLiteral("600123456,+48600999888")},
                             {QStringLiteral("TERVO_TEST_SMS_TEXT"), text}}));

        // Each recipient's row: "Report:", the time, and the outcome.
        const auto delivered = [this](const QString& number) {
            return QTest::qWaitFor(
                [&] {
                    return std::any_of(m_client.lines().cbegin(), m_client.lines().cend(), [&](const QString& line) {
                        return line.startsWith(QStringLiteral("[sms-test] ") + number + QStringLiteral(": Report: ")) &&
                               line.endsWith(QStringLiteral(" Sms has been delivered to receiver"));
                    });
                },
                StepPatienceMs);
        };
        QVERIFY(delivered(QStringLiteral("600123456")));
        QVERIFY(delivered(QStringLiteral("+48600999888")));
        QVERIFY(m_client.find(QStringLiteral("[sms-test] sent 2/120")) >= 0);

        const auto deliveredRows = [this] {
            const QList<SmsRow> rows = smsRows(m_profile->historyFile());
            return std::count_if(rows.cbegin(), rows.cend(), [](const SmsRow& row) { return row.kind == 6; });
        };
        QVERIFY(QTest::qWaitFor([&] { return deliveredRows() == 4; }, StepPatienceMs));
        const QList<SmsRow> rows = smsRows(m_profile->historyFile());
        QCOMPARE(rows.size(), 4);
        const QStringList expected{QStringLiteral("600123456"), QStringLiteral("600123456"),
                                   QStringLiteral("600999888"), QStringLiteral("600999888")};
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].number, expected[i]);
            QCOMPARE(rows[i].text, i % 2 == 0 ? QString(160, u'a') : QString(40, u'b'));
            QVERIFY(rows[i].reference >= 100);
        }
        const QStringList& traffic = m_standIn.traffic().lines();
        QCOMPARE(std::count_if(traffic.cbegin(), traffic.cend(),
                               [](const QString& line) { return line.contains(QStringLiteral("aSMSS G007 ")); }),
                 4);
    }

private:
    // The client in English, its gate link connecting a moment after the start rather than half a minute.
    bool startClient(const QList<QPair<QString, QString>>& variables = {})
    {
        QProcessEnvironment environment = m_profile->environment();
        environment.insert(QStringLiteral("TERVO_SMS_FIRST_CONNECT_MS"), QStringLiteral("100"));
        for (const auto& [name, value] : variables) {
            environment.insert(name, value);
        }
        return m_client.start(m_profile->paths().executablePath(), {QStringLiteral("-l=en")}, environment);
    }

    bool gateLoggedIn() const
    {
        return std::any_of(m_client.lines().cbegin(), m_client.lines().cend(),
                           [](const QString& line) { return line.contains(QStringLiteral("[sms] aOK")); });
    }

    qsizetype acknowledgements()
    {
        const QStringList& lines = m_standIn.traffic().lines();
        return std::count_if(lines.cbegin(), lines.cend(),
                             [](const QString& line) { return line.contains(QStringLiteral("aSOK G007")); });
    }

    StandIn m_standIn;
    std::unique_ptr<ClientProfile> m_profile;
    ObservedProcess m_client;
};

QTEST_MAIN(TestSmsAgainstStandIn)
#include "TestSmsAgainstStandIn.moc"
