// The built client with SMS switched on against the built stand-in's GSM gate on loopback: an incoming message
// of several segments, sent by the stand-in's control port, ends up as one row in the client's history file.
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
        QVERIFY(m_profile->start(m_client));
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

private:
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
