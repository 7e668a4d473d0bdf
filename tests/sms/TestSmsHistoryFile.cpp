#include "app/SmsHistoryRows.h"
#include "books/history/HistoryReader.h"
#include "books/history/HistorySideTables.h"
#include "sms/SmsHistoryWriter.h"
#include "sms/SmsReception.h"
#include "support/TdbCoreOnDisk.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Now{QDate(2024, 5, 17), QTime(15, 0, 0)};

// The books core on a throwaway folder, its history.mdb written through the SMS history rows.
struct HistoryOnDisk : TdbCoreOnDisk {
    HistoryOnDisk()
        : rows(core)
        , writer(settings, rows, smsClock)
    {
        smsClock.time = Now;
        settings.Sms.SmsKier = QStringLiteral("48");
    }

    QList<HistoryEntry> smsRows(const QString& number)
    {
        return core.historyReader()->entriesOfNumbers({number}, HistoryReader::ContactEntries::SmsOnly);
    }

    QString textOf(const HistoryEntry& row)
    {
        return core.historySideTables()->text(HistorySideTables::Table::SmsTexts, row.smsTextId);
    }

    ManualClock smsClock; // the writer's; the books keep their own
    SmsHistoryRows rows;
    SmsHistoryWriter writer;
};

GateLines::IncomingSegment segment(int number, const QString& text)
{
    return *GateLines::IncomingSegment::parse(
        QStringLiteral("SMSG 1 G007 %1 +48600123456 145 12,%2,3 2024-05-17,14:03:22 %3")
            .arg(40 + number)
            .arg(number)
            .arg(text));
}

} // namespace

// SMS rows in a real history file: a sent message that is delivered, and a received one of three segments.
class TestSmsHistoryFile final : public QObject {
    Q_OBJECT

private slots:
    void sentRowBecomesDeliveredWhenTheReportComes()
    {
        HistoryOnDisk test;
        QVERIFY(test.core.start());
        QVERIFY(QFileInfo::exists(test.folder.filePath(QStringLiteral("history/history.mdb"))));

        test.writer.centreAnswered({true, 33}, QStringLiteral("+48600123456"), QStringLiteral("See you"));
        QList<HistoryEntry> rows = test.smsRows(QStringLiteral("600123456"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, SmsKind::Sent);
        QCOMPARE(rows[0].orderNumber, 33);

        GateLines::DeliveryReport report;
        report.outcome = GateLines::DeliveryReport::Outcome::Delivered;
        report.reference = 33;
        test.writer.deliveryReported(report);
        rows = test.smsRows(QStringLiteral("600123456"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, SmsKind::Delivered);
        QCOMPARE(test.textOf(rows[0]), QStringLiteral("See you"));
        QVERIFY(test.historyErrors.errors.isEmpty());
    }

    void threeSegmentsMakeOneReceivedRow()
    {
        HistoryOnDisk test;
        QVERIFY(test.core.start());
        SmsReception reception(
            [&test](const ReceivedSms& message) {
                test.writer.messageReceived(message.when, message.reference, message.sender, message.text);
            },
            [] { return Now; });
        reception.take(segment(2, QStringLiteral("at noon\\n")));
        reception.take(segment(1, QStringLiteral("Lunch ")));
        QVERIFY(test.smsRows(QStringLiteral("600123456")).isEmpty());
        reception.take(segment(3, QStringLiteral("Jan")));

        const QList<HistoryEntry> rows = test.smsRows(QStringLiteral("600123456"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].kind, SmsKind::Received);
        QCOMPARE(rows[0].orderNumber, 12 + SmsKind::ReceivedReferenceOffset);
        QCOMPARE(rows[0].start(), QDateTime(QDate(2024, 5, 17), QTime(14, 3, 22)));
        QVERIFY(rows[0].bold);
        QCOMPARE(test.textOf(rows[0]), QStringLiteral("Lunch at noon\r\nJan"));
        QVERIFY(test.historyErrors.errors.isEmpty());
    }
};

QTEST_MAIN(TestSmsHistoryFile)
#include "TestSmsHistoryFile.moc"
