#include "recording/RecordName.h"

#include <QTest>

class TestRecordName final : public QObject {
    Q_OBJECT

private slots:
    void cleaning()
    {
        QCOMPARE(RecordName::cleanName(QStringLiteral("Kowalski_Jan")), QStringLiteral("Kowalski Jan"));
        QCOMPARE(RecordName::cleanName(QStringLiteral("*")), QString());
        QCOMPARE(RecordName::cleanName(QStringLiteral("Łukasz a/b")), QStringLiteral("ukasz a b"));
        QCOMPARE(RecordName::cleanName(QStringLiteral("  two")), QStringLiteral(" two"));
    }

    void names()
    {
        const QDateTime start(QDate(2024, 3, 5), QTime(14, 7, 9));
        QCOMPARE(RecordName::forCall(QStringLiteral("Jan Kowalski"), start, QTime(0, 2, 31)),
                 QStringLiteral("Jan Kowalski_05-03-24 14-07-09_00-02-31.ogg"));
        QCOMPARE(RecordName::forCall(QStringLiteral("*"), start, QTime(0, 0, 1)),
                 QStringLiteral("-_05-03-24 14-07-09_00-00-01.ogg"));
        QVERIFY(RecordName::forCall(QString(), start, QTime(0, 0, 1)).isEmpty());
        QVERIFY(RecordName::forCall(QStringLiteral("a"), QDateTime(), QTime(0, 0, 1)).isEmpty());
        QCOMPARE(RecordName::withPrefix(QStringLiteral("E12"), QStringLiteral("Jan"), start),
                 QStringLiteral("E12 Jan_05-03-24 14-07-09.wav"));
        QCOMPARE(RecordName::withPrefix(QStringLiteral("E12"), QString(), start), QStringLiteral("E12 .wav"));
    }
};

QTEST_GUILESS_MAIN(TestRecordName)
#include "TestRecordName.moc"
