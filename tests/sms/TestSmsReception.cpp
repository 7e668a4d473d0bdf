#include "sms/SmsReception.h"

#include <QTest>

namespace {

const QDateTime ArrivalTime{QDate(2024, 5, 17), QTime(9, 30, 0)};

// One SMSG line of a message from sender with that reference, as the gate writes it.
GateLines::IncomingSegment segment(int number, int total, const QString& text,
                                   const QString& sender = QStringLiteral("600123456"), int reference = 9,
                                   const QString& stamp = QStringLiteral("2024-05-17,14:03:22"))
{
    const QString line = QStringLiteral("SMSG 1 G007 %1 %2 145 %3,%4,%5 %6 %7")
                             .arg(70 + number)
                             .arg(sender)
                             .arg(reference)
                             .arg(number)
                             .arg(total)
                             .arg(stamp, text);
    const std::optional<GateLines::IncomingSegment> parsed = GateLines::IncomingSegment::parse(line);
    Q_ASSERT(parsed.has_value());
    return *parsed;
}

struct Inbox {
    Inbox()
        : reception([this](const ReceivedSms& message) { messages.append(message); }, [] { return ArrivalTime; })
    {
    }

    QList<ReceivedSms> messages;
    SmsReception reception;
};

} // namespace

// Joining the segments of incoming messages and turning their wire form back into the user's text.
class TestSmsReception final : public QObject {
    Q_OBJECT

private slots:
    void segmentsAreJoinedByTheirNumbers_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("in order") << QList<int>{1, 2, 3};
        QTest::newRow("out of order") << QList<int>{3, 1, 2};
        QTest::newRow("last first, one twice") << QList<int>{3, 3, 2, 1};
    }

    void segmentsAreJoinedByTheirNumbers()
    {
        QFETCH(QList<int>, order);
        const QStringList pieces{QStringLiteral("Good "), QStringLiteral("morning, "), QStringLiteral("Jan")};
        Inbox inbox;
        for (int k = 0; k < order.size(); ++k) {
            QVERIFY(inbox.messages.isEmpty());
            inbox.reception.take(segment(order[k], 3, pieces[order[k] - 1]));
        }
        QCOMPARE(inbox.messages.size(), 1);
        const ReceivedSms& message = inbox.messages.first();
        QCOMPARE(message.text, QStringLiteral("Good morning, Jan"));
        QCOMPARE(message.sender, QStringLiteral("600123456"));
        QCOMPARE(message.reference, 9);
        QCOMPARE(message.when, QDateTime(QDate(2024, 5, 17), QTime(14, 3, 22)));
        QVERIFY(message.complete);
        QVERIFY(!inbox.reception.isWaiting());
    }

    void anotherMessageDeliversTheInterruptedOneAsItStands()
    {
        Inbox inbox;
        inbox.reception.take(segment(1, 3, QStringLiteral("one ")));
        inbox.reception.take(segment(2, 3, QStringLiteral("two ")));
        inbox.reception.take(segment(1, 2, QStringLiteral("other "), QStringLiteral("600999888"), 10));
        QCOMPARE(inbox.messages.size(), 1);
        QCOMPARE(inbox.messages[0].text, QStringLiteral("one two "));
        QVERIFY(!inbox.messages[0].complete);
        QVERIFY(inbox.reception.isWaiting());

        // A message of one segment delivers what waits first, then itself.
        inbox.reception.take(segment(1, 1, QStringLiteral("short"), QStringLiteral("600999888"), 10));
        QCOMPARE(inbox.messages.size(), 3);
        QCOMPARE(inbox.messages[1].text, QStringLiteral("other "));
        QCOMPARE(inbox.messages[2].text, QStringLiteral("short"));
        QVERIFY(inbox.messages[2].complete);

        inbox.reception.take(segment(2, 2, QStringLiteral("tail"), QStringLiteral("600999888"), 11));
        inbox.reception.flush();
        inbox.reception.flush();
        QCOMPARE(inbox.messages.size(), 4);
        QCOMPARE(inbox.messages[3].text, QStringLiteral("tail"));
    }

    void wireFormComesBackAsText()
    {
        Inbox inbox;
        inbox.reception.take(segment(1, 2, QStringLiteral("first\\nsec")));
        inbox.reception.take(segment(2, 2, QStringLiteral("ond C:\\\\temp \\x")));
        QCOMPARE(inbox.messages.size(), 1);
        QCOMPARE(inbox.messages[0].text, QStringLiteral("first\r\nsecond C:\\temp \\x"));
    }

    void unreadableStampTakesTheArrivalTime()
    {
        Inbox inbox;
        inbox.reception.take(
            segment(1, 1, QStringLiteral("hi"), QStringLiteral("600123456"), 9, QStringLiteral("yesterday")));
        QCOMPARE(inbox.messages.size(), 1);
        QCOMPARE(inbox.messages[0].when, ArrivalTime);
    }
};

QTEST_GUILESS_MAIN(TestSmsReception)
#include "TestSmsReception.moc"
