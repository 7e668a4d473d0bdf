// The built client against the built PBX stand-in and an FTP server on loopback: a conversation the exchange
// records ends with the recording in the client's recordings folder and the call's history row marked.
#include "app/ClientProcess.h"
#include "app/ReadOnlyRows.h"
#include "support/FtpTestServer.h"

#include <QDir>
#include <QTest>

namespace {

const QString BookName = QStringLiteral("Jan Kowalski");
const QString BookNumber = QStringLiteral("600123456");
const QString LoggedIn = QStringLiteral("[state] 0");
const QString Conversation = QStringLiteral("[state] 11");
const QString CallWritten = QStringLiteral("[history] type 2 600123456");
// How long a fetched recording may take to appear.
constexpr int FetchPatienceMs = 15000;

} // namespace

class TestPbxRecordingsAgainstStandIn final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        QVERIFY2(m_ftp.isRunning(), qPrintable(m_ftp.error()));
    }

    void aRecordedConversationEndsWithTheFileAndTheRowMarked()
    {
        QVERIFY(m_ftp.put(QStringLiteral("calls/000123401"), QByteArray("RIFF recorded by the exchange")));
        StandIn standIn;
        QVERIFY(standIn.start());
        ClientProfile profile(standIn.port());
        QVERIFY(profile.isReady());
        QVERIFY(profile.createPhoneBook(BookName, BookNumber));
        const QString folder = profile.paths().dataFolder() + QStringLiteral("Recordings");
        QVERIFY(profile.addSettings("[Audio]\nNagrywanieWlaczone=1\nZrodloAudio=1\nKatalog=" + folder.toUtf8() + "\n"));
        QProcessEnvironment environment = profile.environment();
        environment.insert(QStringLiteral("TERVO_PBX_FTP_PORT"), QString::number(m_ftp.port()));
        ObservedProcess client;
        QVERIFY(client.start(profile.paths().executablePath(), {QStringLiteral("-l=en")}, environment));
        QVERIFY(client.waitFor(LoggedIn) >= 0);

        // The stand-in announces only loopback servers.
        QVERIFY(standIn.command(QStringLiteral("record 21 10.1.2.3 000999901")).startsWith(u"error: "));

        QCOMPARE(standIn.command(QStringLiteral("ring 21 ") + BookNumber), QStringLiteral("ok"));
        QCOMPARE(standIn.command(QStringLiteral("answer 21")), QStringLiteral("ok"));
        QVERIFY(client.waitFor(Conversation) >= 0);
        QCOMPARE(standIn.command(QStringLiteral("record 21 127.0.0.1 calls/000123401")), QStringLiteral("ok"));
        QCOMPARE(standIn.command(QStringLiteral("release 21")), QStringLiteral("ok"));
        const bool written =
            QTest::qWaitFor([&client] { return client.lines().filter(CallWritten).size() == 1; }, StepPatienceMs);
        QVERIFY2(written, qPrintable(client.lines().join(u'\n')));

        const QDir recordings(folder);
        const QStringList pattern{QStringLiteral("0001234 ") + BookName + QStringLiteral("_*.wav")};
        const bool stored =
            QTest::qWaitFor([&] { return recordings.entryList(pattern, QDir::Files).size() == 1; }, FetchPatienceMs);
        if (!stored) {
            qWarning().noquote() << client.lines().join(u'\n') << recordings.entryList();
        }
        QVERIFY(stored);
        QCOMPARE(recordings.entryList(QDir::Files).size(), 1);
        QCOMPARE(readFile(recordings.filePath(recordings.entryList(pattern, QDir::Files).at(0))),
                 QByteArray("RIFF recorded by the exchange"));

        const QList<QVariantList> rows =
            readOnlyRows(profile.historyFile(),
                         QStringLiteral("SELECT Typ_Historia, NrTel_Historia, JestNagranie_Historia, ErecId_Historia, "
                                        "Reserved_Historia FROM History2 ORDER BY ID_Historia"),
                         5);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.at(0).at(0).toInt(), 2);
        QCOMPARE(rows.at(0).at(1).toString(), BookNumber);
        QVERIFY(rows.at(0).at(2).toBool());
        QCOMPARE(rows.at(0).at(3).toString(), QStringLiteral("0001234"));
        QVERIFY(!rows.at(0).at(4).toBool());
        QVERIFY(client.stop());
        standIn.stop();
    }

private:
    FtpTestServer m_ftp;
};

QTEST_GUILESS_MAIN(TestPbxRecordingsAgainstStandIn)
#include "TestPbxRecordingsAgainstStandIn.moc"
