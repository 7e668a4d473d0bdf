#include "pbxlink/calls/CallTimer.h"

#include <QTest>

class TestCallTimer final : public QObject {
    Q_OBJECT

private slots:
    void countsTheStepsOfTheSecondsField()
    {
        CallTimer timer;
        timer.start();
        timer.tick(10); // where counting starts
        timer.tick(10); // the same second again: several ticks fall into one second
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:00"));
        timer.tick(11);
        timer.tick(13); // a skipped second still counts
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:03"));

        for (int second = 14; second <= 59; ++second) {
            timer.tick(second);
        }
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:49"));
        timer.tick(0); // the clock's minute steps over
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:50"));
        timer.tick(10);
        QCOMPARE(timer.minutes(), 1);
        QCOMPARE(timer.seconds(), 0);
        QCOMPARE(timer.elapsedText(), QStringLiteral("1:00"));
        timer.tick(5); // 55 seconds on, across the minute of the clock
        QCOMPARE(timer.elapsedText(), QStringLiteral("1:55"));
    }

    void showsMinutesBeyondTheHour()
    {
        CallTimer timer;
        timer.start();
        timer.tick(0);
        for (int half = 0; half < 2 * 75 + 1; ++half) {
            timer.tick(half % 2 == 0 ? 30 : 0);
        }
        QCOMPARE(timer.elapsedText(), QStringLiteral("75:30"));
    }

    void startBeginsANewCall()
    {
        CallTimer timer;
        timer.start();
        timer.tick(20);
        timer.tick(50);
        timer.start();
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:00"));
        timer.tick(5); // not 15 seconds since the last tick of the previous call
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:00"));
        timer.tick(6);
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:01"));
    }

    void ignoresAFieldOutsideAMinute()
    {
        CallTimer timer;
        timer.start();
        timer.tick(58);
        timer.tick(60);
        timer.tick(-1);
        timer.tick(59);
        QCOMPARE(timer.elapsedText(), QStringLiteral("0:01"));
    }

    void currencySymbolFallsBackToEuro()
    {
        QCOMPARE(CallTimer(QLocale(QLocale::Polish, QLocale::Poland)).currencySymbol(), QStringLiteral("zł"));
        QCOMPARE(CallTimer(QLocale::c()).currencySymbol(), QStringLiteral("Euro"));
    }
};

QTEST_GUILESS_MAIN(TestCallTimer)
#include "TestCallTimer.moc"
