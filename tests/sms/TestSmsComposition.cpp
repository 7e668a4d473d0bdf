#include "sms/SmsNumber.h"
#include "sms/SmsSegmenter.h"

#include <QTest>

// How a message is counted, cut and written on the wire, and how numbers are checked and normalised.
class TestSmsComposition final : public QObject {
    Q_OBJECT

private slots:
    void countsSegments_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("segments");
        QTest::addColumn<int>("left");
        const QString a(u'a');
        const QString wide(u'ą');
        QTest::newRow("empty") << QString() << 0 << 160;
        QTest::newRow("160 plain") << a.repeated(160) << 1 << 0;
        QTest::newRow("161 plain") << a.repeated(161) << 2 << 159;
        QTest::newRow("70 wide") << wide.repeated(70) << 1 << 0;
        QTest::newRow("71 wide") << wide.repeated(71) << 2 << 69;
        QTest::newRow("100 plain then wide") << a.repeated(100) + wide << 2 << 69;
        QTest::newRow("backslash counts two") << a.repeated(158) + u'\\' << 1 << 0;
        QTest::newRow("line break counts two") << a.repeated(158) + QStringLiteral("\r\n") << 1 << 0;
        QTest::newRow("line break at the edge moves") << a.repeated(159) + QStringLiteral("\r\nb") << 2 << 157;
        QTest::newRow("backslash at the edge moves") << a.repeated(159) + QStringLiteral("\\") << 2 << 158;
        QTest::newRow("eight full") << a.repeated(8 * 160) << 8 << 0;
    }

    void countsSegments()
    {
        QFETCH(QString, text);
        QFETCH(int, segments);
        QFETCH(int, left);
        const SmsSegmenter::Count count = SmsSegmenter::count(text);
        QCOMPARE(count.segments, segments);
        QCOMPARE(count.left, left);
        // Every segment's wire form fits its capacity.
        for (const QString& piece : SmsSegmenter::cut(text)) {
            QVERIFY(piece.size() <= 160);
        }
    }

    void wireFormDoublesBackslashesAndWritesLineBreaks()
    {
        QCOMPARE(SmsSegmenter::cut(QStringLiteral("a\\b\r\nc")), QStringList{QStringLiteral("a\\\\b\\nc")});
        QCOMPARE(SmsSegmenter::cut(QString()), QStringList{QString()});
        const QString edge = QString(159, u'a') + QStringLiteral("\r\nb");
        const QStringList pieces = SmsSegmenter::cut(edge);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[1], QStringLiteral("\\nb"));
    }

    // A CR without its LF is a line break: counted as one and sent as "\n", never as a bare byte that would end
    // the protocol line.
    void loneCarriageReturnIsALineBreak()
    {
        const QString text = SmsSegmenter::withLineBreaks(QStringLiteral("one\rtwo\nthree\r\n"));
        QCOMPARE(text, QStringLiteral("one\r\ntwo\r\nthree\r\n"));
        QCOMPARE(SmsSegmenter::cut(text), QStringList{QStringLiteral("one\\ntwo\\nthree\\n")});
        QCOMPARE(SmsSegmenter::count(text).left, 160 - 17);
    }

    void excessOverEightSegmentsIsRemoved()
    {
        const QString text = QString(8 * 160 + 5, u'a');
        QCOMPARE(SmsSegmenter::limited(text).size(), 8 * 160);
        const QString withBreak = QString(8 * 160 - 1, u'a') + QStringLiteral("\r\n");
        QCOMPARE(SmsSegmenter::limited(withBreak), QString(8 * 160 - 1, u'a'));
        QCOMPARE(SmsSegmenter::limited(QStringLiteral("short")), QStringLiteral("short"));
    }

    void normalisesNumbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("country");
        QTest::addColumn<bool>("addZero");
        QTest::addColumn<QString>("expected");
        QTest::newRow("home code") << "+48600123456"
                                   << "48" << false << "600123456";
        QTest::newRow("home code, zero") << "+48600123456"
                                         << "48" << true << "0600123456";
        QTest::newRow("home code 00") << "0048600123456"
                                      << "48" << false << "600123456";
        QTest::newRow("other code") << "+44123456"
                                    << "48" << false << "0044123456";
        QTest::newRow("other code 00") << "0044123456"
                                       << "48" << true << "0044123456";
        QTest::newRow("national") << "0600123456"
                                  << "48" << false << "600123456";
        QTest::newRow("national, zero") << "600123456"
                                        << "48" << true << "0600123456";
        QTest::newRow("short") << "01"
                               << "480" << false << "1";
        QTest::newRow("star") << "*123"
                              << "48" << true << "*123";
        QTest::newRow("no code, plus") << "+48600"
                                       << "" << false << "0048600";
        QTest::newRow("no code, national") << "0600"
                                           << "" << true << "0600";
    }

    void normalisesNumbers()
    {
        QFETCH(QString, number);
        QFETCH(QString, country);
        QFETCH(bool, addZero);
        QFETCH(QString, expected);
        QCOMPARE(SmsNumber::normalise(number, country, addZero), expected);
    }

    void checksEntriesAndValidity()
    {
        QVERIFY(SmsNumber::isValidEntry(QStringLiteral("+48*600")));
        QVERIFY(!SmsNumber::isValidEntry(QStringLiteral("600 123")));
        QVERIFY(!SmsNumber::isValidEntry(QStringLiteral("600#")));
        const QList<int> codes{35, 143, 167, 173, 196, 240, 0};
        for (int i = 0; i < codes.size(); ++i) {
            QCOMPARE(SmsNumber::validityCode(QString::number(i)), codes[i]);
        }
        QCOMPARE(SmsNumber::validityCode(QStringLiteral("x")), 0);
    }
};

QTEST_GUILESS_MAIN(TestSmsComposition)
#include "TestSmsComposition.moc"
