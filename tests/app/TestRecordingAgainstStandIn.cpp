// The built client records a conversation played by the built PBX stand-in. The sound comes from ALSA's file
// plugin (a private ALSA configuration whose default capture device reads a generated 1 kHz tone over the null
// plugin); the recording is read back with libvorbisfile.
#include "app/ClientProcess.h"
#include "recording/OggTestSignals.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace OggTestSignals;

namespace {

const QString BookName = QStringLiteral("Jan Kowalski");
const QString BookNumber = QStringLiteral("600123456");
const QString LoggedIn = QStringLiteral("[state] 0");
const QString Conversation = QStringLiteral("[state] 11");
// The conversation lasts this long; the recording follows it in real time.
constexpr int ConversationMs = 3000;

} // namespace

class TestRecordingAgainstStandIn final : public QObject {
    Q_OBJECT

    QTemporaryDir m_sound;
    // Made afresh for each case: their lines of output are searched from the start.
    std::unique_ptr<StandIn> m_standIn;
    std::unique_ptr<ClientProfile> m_profile;
    std::unique_ptr<ObservedProcess> m_client;

    QString recordingsFolder() const { return m_sound.filePath(QLatin1String(QTest::currentTestFunction())); }
    QString audioLog() const { return m_profile->paths().logFolder() + QStringLiteral("audio.log"); }

    bool drive(const QString& line) { return m_standIn->command(line) == QLatin1String("ok"); }

    // Starts the client recording every call from the ALSA configuration alsaConfig, and waits for its login.
    bool startRecordingClient(const QString& alsaConfig)
    {
        const QByteArray audio = "[Audio]\nNagrywanieWlaczone=1\nTrybNagrywania=0\nZrodloAudio=0\nKanaly=1\nKatalog=" +
                                 QFile::encodeName(recordingsFolder()) + "\n";
        if (!m_profile->addSettings(audio)) {
            return false;
        }
        QProcessEnvironment environment = m_profile->environment();
        environment.insert(QStringLiteral("ALSA_CONFIG_PATH"), alsaConfig);
        return m_client->start(m_profile->paths().executablePath(), {QStringLiteral("-l=en")}, environment) &&
               m_client->waitFor(LoggedIn) >= 0;
    }

    // Rings, answers, talks for ConversationMs and hangs up; the index of the line where the client went idle.
    qsizetype converse()
    {
        const qsizetype start = m_client->lineCount();
        if (!drive(QStringLiteral("ring 21 ") + BookNumber) || !drive(QStringLiteral("answer 21"))) {
            return -1;
        }
        const qsizetype answered = m_client->waitFor(Conversation, start);
        if (answered < 0) {
            return -1;
        }
        QTest::qWait(ConversationMs);
        return drive(QStringLiteral("release 21 16")) ? m_client->waitFor(LoggedIn, answered) : -1;
    }

private slots:
    void init()
    {
        QVERIFY2(!builtProgram(QStringLiteral("tervo")).isEmpty(), "no bin/tervo in $TERVO_BINARY_DIR");
        QVERIFY(m_sound.isValid());
        m_standIn = std::make_unique<StandIn>();
        m_client = std::make_unique<ObservedProcess>();
        QVERIFY(m_standIn->start());
        m_profile = std::make_unique<ClientProfile>(m_standIn->port());
        QVERIFY(m_profile->isReady());
        QVERIFY(m_profile->createPhoneBook(BookName, BookNumber));
    }

    void cleanup()
    {
        m_client->stop();
        m_standIn->stop();
        if (QTest::currentTestFailed()) {
            qWarning().noquote() << "client:\n" << m_client->lines().join(u'\n');
            qWarning().noquote() << "audio.log:\n" << QString::fromUtf8(readFile(audioLog()));
        }
        m_client.reset();
        m_standIn.reset();
    }

    void conversationIsRecordedUnderTheCallersName()
    {
        const QString config = writeToneAlsaConfig(m_sound.path(), QStringLiteral("!default"), 60);
        QVERIFY(!config.isEmpty());
        QVERIFY(startRecordingClient(config));
        const qsizetype idle = converse();
        QVERIFY(idle >= 0);
        QVERIFY(m_client->waitFor(QStringLiteral("[text] Call has been recorded"), idle) >= 0 ||
                m_client->find(QStringLiteral("[text] Call has been recorded")) >= 0);

        const QStringList files = QDir(recordingsFolder()).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        const QRegularExpression name(
            QStringLiteral("^Jan Kowalski_(\\d\\d)-(\\d\\d)-(\\d\\d) \\d\\d-\\d\\d-\\d\\d_00-00-0[34]\\.ogg$"));
        const QRegularExpressionMatch match = name.match(files.first());
        QVERIFY2(match.hasMatch(), qPrintable(files.first()));
        QCOMPARE(match.captured(1) + u'-' + match.captured(2) + u'-' + match.captured(3),
                 QDate::currentDate().toString(QStringLiteral("dd-MM-yy")));

        const Decoded decoded = decode(QDir(recordingsFolder()).filePath(files.first()));
        QCOMPARE(decoded.rate, 8000L);
        QCOMPARE(decoded.channels, 1);
        const double seconds = static_cast<double>(decoded.firstChannel.size()) / 8000.0;
        QVERIFY2(seconds > 2.5 && seconds < 3.6, qPrintable(QString::number(seconds)));
        QCOMPARE(strongestFrequency(decoded.firstChannel), 1000.0);
        QCOMPARE(decoded.tags.value(QStringLiteral("TITLE")), QStringLiteral("Connecting number: ") + BookNumber);
        QCOMPARE(decoded.tags.value(QStringLiteral("ARTIST")), QStringLiteral("Caller: ") + BookName);
        QCOMPARE(decoded.tags.value(QStringLiteral("DATE")), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(decoded.tags.value(QStringLiteral("COMMENT")).startsWith(QStringLiteral("Records dated on ")));
    }

    // Where ALSA knows no device at all, the recording fails at its start, the user is told, and the call goes on.
    void withoutASoundDeviceTheCallGoesOn()
    {
        const QString config = m_sound.filePath(QStringLiteral("empty.conf"));
        QVERIFY(writeFile(config, QByteArray()));
        QVERIFY(startRecordingClient(config));
        const qsizetype start = m_client->lineCount();
        QVERIFY(drive(QStringLiteral("ring 21 ") + BookNumber));
        QVERIFY(drive(QStringLiteral("answer 21")));
        const qsizetype answered = m_client->waitFor(Conversation, start);
        QVERIFY(answered >= 0);
        const qsizetype told = m_client->waitFor(QStringLiteral("[text] Recording error"), answered);
        QVERIFY(told >= 0);
        // The notice stays a while: the call's own labels do not replace it at once.
        QCOMPARE(m_client->find(QStringLiteral("[text] From: Jan Kowalski"), told), -1);
        QVERIFY(drive(QStringLiteral("release 21 16")));
        QVERIFY(m_client->waitFor(LoggedIn, answered) >= 0);
        QTRY_VERIFY(QString::fromUtf8(readFile(audioLog())).contains(QStringLiteral("audio card is not installed")));
        QVERIFY(QDir(recordingsFolder()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordingAgainstStandIn)
#include "TestRecordingAgainstStandIn.moc"
