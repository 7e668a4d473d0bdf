#include "GateHarness.h"
#include "sms/SmsHistoryPort.h"
#include "sms/SmsHistoryWriter.h"
#include "sms/SmsSending.h"
#include "support/ManualClock.h"

#include <QTest>

namespace {

class RecordingHistory final : public SmsHistoryPort {
public:
    void addMessage(int kind, const QDateTime&, int reference, const QString& number, const QString& text) override
    {
        rows.append(QStringLiteral("%1 %2 %3 %4").arg(kind).arg(reference).arg(number, text));
    }
    void setState(int reference, int kind) override { states.append({reference, kind}); }

    QStringList rows;
    QList<QPair<int, int>> states;
};

QList<SmsSending::Recipient> twoRecipients()
{
    return {{QStringLiteral("Jan"), QStringLiteral("600123456"), {}, {}},
            {QStringLiteral("Anna"), QStringLiteral("+48581234567"), {}, {}}};
}

} // namespace

// One window's sending through the real gate link core: its progress, the centre's answers in each recipient's
// status, a failure that keeps the place for "Send again", and the link owned by one window at a time.
class TestSmsSending final : public QObject {
    Q_OBJECT

private slots:
    void sendsEverySegmentToEveryRecipient()
    {
        GateHarness h;
        h.logIn();
        int changes = 0;
        SmsSending sending(h.link, [&changes] { ++changes; });
        sending.start({{QStringLiteral("one"), QStringLiteral("two")}, false, 167}, twoRecipients());
        int reference = 500;
        for (int k = 1; k <= 4; ++k) {
            sending.tick();
            QCOMPARE(sending.progress(), QStringLiteral("Sending %1 of 4").arg(k));
            h.tick();
            sending.tick(); // nothing goes while a segment is in flight
            QCOMPARE(h.link.sendQueue().size(), 0);
            h.link.onLine(QStringLiteral("aOK"));
            h.link.onLine(QStringLiteral("SMSA G007 0 C %1").arg(reference++));
        }
        sending.tick();
        QCOMPARE(sending.state(), SmsSending::State::Finished);
        QCOMPARE(sending.recipients()[0].references, (QList<int>{500, 501}));
        QCOMPARE(sending.recipients()[1].references, (QList<int>{502, 503}));
        QCOMPARE(sending.recipients()[1].status, QStringLiteral("Sms Centre acknowledge"));
        QVERIFY(h.link.owner() == nullptr);
        QVERIFY(sending.showForReference(503, QStringLiteral("Sms has been delivered to receiver")));
        QCOMPARE(sending.recipients()[1].status, QStringLiteral("Sms has been delivered to receiver"));
        QVERIFY(changes > 8);
    }

    void failureKeepsThePlaceForSendingAgain()
    {
        GateHarness h;
        h.logIn();
        SmsSending sending(h.link, [] {});
        sending.start({{QStringLiteral("one"), QStringLiteral("two")}, false, 167}, twoRecipients().mid(0, 1));
        sending.tick();
        h.tick();
        h.link.onLine(QStringLiteral("aOK"));
        h.link.onLine(QStringLiteral("SMSA G007 0 R 0"));
        QCOMPARE(sending.refusedCount(), 1);
        sending.tick();
        h.link.onClosedByServer(); // the second segment never reaches the gate
        h.tick();
        QCOMPARE(sending.state(), SmsSending::State::Failed);
        QCOMPARE(sending.progress(), QStringLiteral("The SMS was not sent: not connected to the SMS gate."));
        h.logIn();
        sending.resume();
        sending.tick();
        h.tick();
        QVERIFY(h.socket.written.last().endsWith(u" two"));
    }

    void oneWindowSendsAtATime()
    {
        GateHarness h;
        h.logIn();
        SmsSending first(h.link, [] {});
        SmsSending second(h.link, [] {});
        first.start({{QStringLiteral("a")}, false, 0}, twoRecipients().mid(0, 1));
        second.start({{QStringLiteral("b")}, false, 0}, twoRecipients().mid(0, 1));
        first.tick();
        second.tick();
        QCOMPARE(second.state(), SmsSending::State::WaitingForLink);
        first.cancel();
        QCOMPARE(first.state(), SmsSending::State::Cancelled);
        second.tick();
        QCOMPARE(second.state(), SmsSending::State::Sending);
    }

    void historyGetsSentRowsAndTheirReports()
    {
        GateHarness h;
        h.settings.Sms.SmsKier = QStringLiteral("48");
        RecordingHistory history;
        ManualClock clock;
        clock.time = QDateTime(QDate(2024, 5, 17), QTime(9, 0));
        SmsHistoryWriter writer(h.settings, history, clock);
        writer.centreAnswered({true, 501}, QStringLiteral("+48581234567"), QStringLiteral("Hi"));
        writer.centreAnswered({false, 0}, QStringLiteral("600123456"), QStringLiteral("Hi"));
        writer.deliveryReported({GateLines::DeliveryReport::Outcome::Delivered, QStringLiteral("9"), 501});
        writer.deliveryReported({GateLines::DeliveryReport::Outcome::Unknown, QStringLiteral("9"), 502});
        QCOMPARE(history.rows, (QStringList{QStringLiteral("4 501 581234567 Hi"), QStringLiteral("5 0 600123456 Hi")}));
        QCOMPARE(history.states, (QList<QPair<int, int>>{{501, 6}}));
    }
};

QTEST_GUILESS_MAIN(TestSmsSending)
#include "TestSmsSending.moc"
