#include "GateFakes.h"
#include "pbxsim/PbxSimulator.h"
#include "settings/SettingsRecord.h"
#include "sms/TToSMS.h"
#include "sms/ui/SmsConsoleWindow.h"
#include "support/QuietStandIn.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Patience = 5000;

// The real gate link to the stand-in's GSM gate on loopback, its console window fed as the program feeds it.
// The send timer is ticked by the test.
struct ConsoleClient {
    explicit ConsoleClient(quint16 port)
    {
        settings.Siec.Serwer = QStringLiteral("127.0.0.1");
        settings.Siec.Port = port;
        settings.Sms.SmsOn = true;
        settings.Sms.Klucz = QStringLiteral("1234");
        settings.Sms.Translacja = QStringLiteral("7");
        QObject::connect(&gate, &TToSMS::consoleWritten, &console, &SmsConsoleWindow::write);
        QObject::connect(&gate, &TToSMS::statusUpdated, &console, &SmsConsoleWindow::showStatus);
    }

    bool tickUntil(const std::function<bool()>& condition)
    {
        return QTest::qWaitFor(
            [&] {
                gate.timer(GateTimer::SendCommand).stop();
                gate.link().onTimer(GateTimer::SendCommand);
                return condition();
            },
            Patience);
    }

    SettingsRecord settings;
    PlainGateTexts texts;
    TToSMS gate{settings, texts, [](int bound) {
                    return bound / 2;
                }};
    SmsConsoleWindow console{gate.link()};
};

} // namespace

// The SMS console over the real link and the stand-in: its buttons, its colours, and a saved log that never holds
// the gate's PIN and is its owner's alone.
class TestSmsConsole final : public QObject {
    Q_OBJECT

private slots:
    void onLogsInAndSavedLogHidesThePin()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        ConsoleClient client(standIn.port());
        client.console.onButton().click();
        QVERIFY(client.tickUntil([&client] { return client.gate.link().isLoggedIn(); }));

        const QStringList lines = client.console.lines();
        const qsizetype login = lines.indexOf(QStringLiteral("aLOGI G007 ****"));
        QVERIFY2(login >= 0, qPrintable(lines.join(u'\n')));
        QCOMPARE(client.console.colourOf(int(login)), QColor(0x00FF00));
        QCOMPARE(client.console.colourOf(int(lines.indexOf(QStringLiteral("Connect...")))), QColor(Qt::white));
        QVERIFY(lines.contains(QStringLiteral("aOK G007 GSM 1 1 600700007")));
        QCOMPARE(client.console.colourOf(int(lines.size() - 1)), QColor(0x00FFFF));
        QCOMPARE(client.console.status().text(), QStringLiteral("Connected to server"));
        QVERIFY(std::none_of(lines.cbegin(), lines.cend(), [](const QString& l) { return l.contains(u"1234"); }));

        // A line that reached the console unmasked by another road is masked all the same.
        client.console.write(QStringLiteral("aLOGI G007 1234"), GateColour::Sent);
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("sms.log"));
        QVERIFY(writeFile(saved, "earlier\n"));
        QFile::setPermissions(saved, QFile::permissions(saved) | QFileDevice::ReadOther | QFileDevice::ReadGroup);
        client.console.setSaveTargetChooser([&saved] { return saved; });
        client.console.saveButton().click();
        const QByteArray text = readFile(saved);
        QVERIFY(text.startsWith("Connect...\n"));
        QVERIFY(text.contains("aLOGI G007 ****\n"));
        QVERIFY(!text.contains("1234"));
        QVERIFY(isOwnerOnly(saved));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("sms.log")});
    }

    void offLogsOutAndWaitsAFullIntervalAndClsClears()
    {
        pbxsim::PbxSimulator standIn(quietStandInConfig());
        QString error;
        QVERIFY2(standIn.start(&error), qPrintable(error));
        ConsoleClient client(standIn.port());
        client.console.onButton().click();
        QVERIFY(client.tickUntil([&client] { return client.gate.link().isLoggedIn(); }));
        QCOMPARE(standIn.gate().sessionCount(QStringLiteral("007")), 1);

        client.console.offButton().click();
        QVERIFY(!client.gate.link().isLoggedIn());
        QCOMPARE(client.console.lines().last(), QStringLiteral("aLOGO G007"));
        QCOMPARE(client.console.status().text(), QStringLiteral("Disconnected from server"));
        QCOMPARE(client.gate.timer(GateTimer::Connect).interval(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(standIn.gate().sessionCount(QStringLiteral("007")), 0, Patience);

        client.console.clsButton().click();
        QVERIFY(client.console.lines().isEmpty());
        // ON again after OFF logs in afresh.
        client.console.onButton().click();
        QVERIFY(client.tickUntil([&client] { return client.gate.link().isLoggedIn(); }));
    }

    void switchedOffServiceSaysSoInYellow()
    {
        SettingsRecord settings;
        settings.Sms.SmsOn = false;
        PlainGateTexts texts;
        TToSMS gate(settings, texts, [](int) { return 0; });
        SmsConsoleWindow console(gate.link());
        QObject::connect(&gate, &TToSMS::consoleWritten, &console, &SmsConsoleWindow::write);
        console.onButton().click();
        QCOMPARE(console.lines(), QStringList{QStringLiteral("SMS is disabled or locked")});
        QCOMPARE(console.colourOf(0), QColor(Qt::yellow));
    }

    void failedSaveSaysWhyAndOldestLinesGiveWay()
    {
        SettingsRecord settings;
        PlainGateTexts texts;
        TToSMS gate(settings, texts, [](int) { return 0; });
        SmsConsoleWindow console(gate.link());
        console.write(QStringLiteral("line"), GateColour::Reply);
        QTemporaryDir folder;
        QString error;
        QVERIFY(!console.saveTo(folder.filePath(QStringLiteral("missing/sms.log")), &error));
        QVERIFY(!error.isEmpty());

        for (int i = 0; i < SmsConsoleWindow::MaxLines + 5; ++i) {
            console.write(QString::number(i), GateColour::Reply);
        }
        QCOMPARE(console.lines().size(), SmsConsoleWindow::MaxLines);
        QCOMPARE(console.lines().last(), QString::number(SmsConsoleWindow::MaxLines + 4));
    }
};

QTEST_MAIN(TestSmsConsole)
#include "TestSmsConsole.moc"
