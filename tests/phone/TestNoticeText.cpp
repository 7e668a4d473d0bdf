#include "phone/NoticeText.h"
#include "phone/RecordingNotice.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestNoticeText final : public QObject {
    Q_OBJECT

private slots:
    void aSecondNoticeRestartsTheTimeAndTheFirstTextReturns()
    {
        NoticeText notice;
        QSignalSpy changed(&notice, &NoticeText::changed);
        notice.show(u"From: 600"_s, u"From: 600"_s, false);
        QCOMPARE(changed.takeFirst(), (QVariantList{u"From: 600"_s, u"From: 600"_s}));
        QVERIFY(!notice.timer().isActive());

        notice.show(u"Recording started"_s, u"rec1.ogg"_s, true);
        QVERIFY(notice.temporaryShowing());
        QVERIFY(notice.timer().isActive());
        QVERIFY(notice.timer().isSingleShot());
        QTest::qWait(200);
        QVERIFY(notice.timer().remainingTime() < NoticeText::TemporaryMs - 100);

        notice.show(u"Recording stopped"_s, QString(), true);
        QVERIFY(notice.timer().remainingTime() > NoticeText::TemporaryMs - 100);
        QCOMPARE(notice.text(), u"Recording stopped"_s);
        QCOMPARE(changed.size(), 2);

        notice.expire();
        QVERIFY(!notice.temporaryShowing());
        QVERIFY(!notice.timer().isActive());
        QCOMPARE(notice.text(), u"From: 600"_s);
        QCOMPARE(notice.hint(), u"From: 600"_s);
        QCOMPARE(changed.last(), (QVariantList{u"From: 600"_s, u"From: 600"_s}));
    }

    void aLastingTextWaitsForTheNoticeToEnd()
    {
        NoticeText notice;
        notice.show(u"Dialing the number from keypad"_s, QString(), true);
        QSignalSpy changed(&notice, &NoticeText::changed);
        notice.show(u"To: 600"_s, u"hint"_s, false);
        QCOMPARE(notice.text(), u"Dialing the number from keypad"_s);
        QVERIFY(changed.isEmpty());

        notice.expire();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.takeFirst(), (QVariantList{u"To: 600"_s, u"hint"_s}));

        notice.expire(); // a late second firing changes nothing
        QVERIFY(changed.isEmpty());
        notice.show(u"Missed: 2"_s, QString(), false);
        QCOMPARE(notice.text(), u"Missed: 2"_s);
    }

    void recordingNotices_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("hint");
        QTest::newRow("0") << 0 << "Call has been recorded"
                           << "Last phone call has been recorded on disc.";
        QTest::newRow("1") << 1 << "Recording error"
                           << "Warning! the text";
        QTest::newRow("2") << 2 << "Recording error"
                           << "Record's missing: the text";
        QTest::newRow("3") << 3 << "Recording captured"
                           << "Last part of the call has been recorded on disc.";
        QTest::newRow("4") << 4 << "Recording aborted"
                           << "Recording has been stopped.";
    }

    void recordingNotices()
    {
        QFETCH(int, code);
        QFETCH(QString, shown);
        QFETCH(QString, hint);
        const RecordingNotice notice = RecordingNotice::forCode(code, QStringLiteral("the text"));
        QCOMPARE(notice.shown, shown);
        QCOMPARE(notice.hint, hint);
    }
};

QTEST_GUILESS_MAIN(TestNoticeText)
#include "TestNoticeText.moc"
