#include "LinkHarness.h"
#include "pbxlink/protocol/ConsoleMasking.h"
#include "pbxlink/protocol/RefusalMessages.h"
#include "support/TestFiles.h"

#include <QTest>

class TestLineProtocol final : public QObject {
    Q_OBJECT

private slots:
    void ringSplitAtEveryByteGivesOneLine()
    {
        const QByteArray ring = "aRING 21__ 600123 0 21 0 Jan\\nKowalski\r\n\0";
        for (qsizetype split = 1; split < ring.size(); ++split) {
            LineFramer framer;
            QList<QByteArray> lines;
            framer.feed(QByteArrayView(ring).first(split), lines);
            framer.feed(QByteArrayView(ring).sliced(split), lines);
            QCOMPARE(lines, QList<QByteArray>{"aRING 21__ 600123 0 21 0 Jan\\nKowalski"});
            QVERIFY(!framer.hasPartialLine());
        }
        LineFramer byteByByte;
        QList<QByteArray> lines;
        for (const char byte : ring) {
            byteByByte.feed(QByteArrayView(&byte, 1), lines);
        }
        QCOMPARE(lines.size(), 1);
    }

    void highBytesAreTextAndControlBytesSplit()
    {
        LineFramer framer;
        QList<QByteArray> lines;
        framer.feed("aCONN 21__ Ren\xE9\tsecond\x01\x1F", lines);
        QCOMPARE(lines, (QList<QByteArray>{"aCONN 21__ Ren\xE9", "second"}));
        QCOMPARE(CodePage::fromWindows1250(lines.first()), QStringLiteral("aCONN 21__ René"));
        QCOMPARE(LineFramer::frame("aPICK 21__"), QByteArray("aPICK 21__\r\n\0", 13));
    }

    void eventsOfThisExtensionReachTheSinkWithTheirParameters()
    {
        LinkHarness link;
        link.receive(QStringLiteral("aRING 21__ 600123 0 21"));
        link.receive(QStringLiteral("aRING 22__ 600999 0 22"));
        link.receive(QStringLiteral("aRING 2___ 600999 0 2"));
        link.receive(QStringLiteral("RING 21__ 600999 0 21"));
        link.receive(QStringLiteral("aECHO 21__ /_#_31"));
        link.receive(QStringLiteral("aAOC 21__ 0.25 EUR total"));
        link.receive(QStringLiteral("aSTAT 21__ H f D l a p r "));
        QCOMPARE(link.events.events.size(), 4);
        const PbxEvent& ring = link.events.events[0];
        QCOMPARE(ring.tag, PbxEvent::Tag::Ringing);
        QCOMPARE(ring.parameter(0), QStringLiteral("600123"));
        QCOMPARE(ring.parameter(2), QStringLiteral("21"));
        QCOMPARE(ring.parameter(4), QString());
        QCOMPARE(link.events.events[1].parameter(0), QStringLiteral("/#31"));
        QCOMPARE(link.events.events[2].restFrom(0), QStringLiteral("0.25 EUR total"));
        QCOMPARE(link.events.events[3].tag, PbxEvent::Tag::Status);

        // Only this extension's lines reach the console, without their leading "a".
        QCOMPARE(link.console.texts().filter(QStringLiteral("RING")),
                 QStringList{QStringLiteral("RING 21__ 600123 0 21")});
        QVERIFY(!readFile(link.log.path()).contains("22__"));
    }

    void echoCountsOnlyOutsideAConversation()
    {
        LinkHarness link;
        link.events.inConversation = true;
        link.receive(QStringLiteral("aECHO 21__ 5"));
        link.receive(QStringLiteral("aREL 21__ 16"));
        QCOMPARE(link.events.events.size(), 1);
        QCOMPARE(link.events.events[0].tag, PbxEvent::Tag::Released);
        QCOMPARE(link.events.events[0].parameter(0), QStringLiteral("16"));
    }

    void secondCommandWaitsForTheReplyOrTheNextEvent()
    {
        LinkHarness link;
        link.socket.connected = true;
        QVERIFY(link.dispatcher.sendQueued(QStringLiteral("aPICK 21__")));
        QVERIFY(link.dispatcher.sendQueued(QStringLiteral("aDIAL 21__ 123")));
        QVERIFY(link.dispatcher.sendQueued(QStringLiteral("aHANG 21__")));
        QCOMPARE(link.socket.commands(), QStringList{QStringLiteral("aPICK 21__")});

        link.receive(QStringLiteral("aOK"));
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aDIAL 21__ 123"));
        link.receive(QStringLiteral("aDRDY 21__"));
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aHANG 21__"));
        QCOMPARE(link.socket.commands().size(), 3);

        // The state request gets no reply and never blocks the queue.
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aOK"));
        QVERIFY(!link.dispatcher.queues().hasOutstanding());
        link.dispatcher.sendQueued(QStringLiteral("aRQST 21__"));
        link.dispatcher.sendQueued(QStringLiteral("aDND 21__ T"));
        QCOMPARE(link.socket.commands().last(), QStringLiteral("aDND 21__ T"));
    }

    void replyWithoutACommandIsDropped()
    {
        LinkHarness link;
        int replies = 0;
        link.socket.onReply = [&replies](const PbxReply&, const QString&) {
            ++replies;
        };
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aNA 4"));
        QCOMPARE(replies, 0);
    }

    void failedWriteIsAnsweredWithAnError()
    {
        LinkHarness link;
        link.socket.connected = true;
        link.socket.writesSucceed = false;
        QList<std::pair<PbxReply::Kind, QString>> replies;
        link.socket.onReply = [&replies](const PbxReply& reply, const QString& command) {
            replies.append({reply.kind, command});
        };
        QVERIFY(link.dispatcher.sendQueued(QStringLiteral("aPICK 21__")));
        QVERIFY(link.dispatcher.sendQueued(QStringLiteral("aHANG 21__")));
        link.receive(QStringLiteral("aDRDY 22__"));
        QCOMPARE(replies.size(), 2);
        QCOMPARE(replies[0], std::make_pair(PbxReply::Kind::Error, QStringLiteral("aPICK 21__")));
        QCOMPARE(replies[1], std::make_pair(PbxReply::Kind::Error, QStringLiteral("aHANG 21__")));

        link.socket.connected = false;
        QVERIFY(!link.dispatcher.sendRaw(QStringLiteral("aPICK 21__")));
        QVERIFY(!link.dispatcher.sendQueued(QStringLiteral("aPICK 21__")));
    }

    void repliesAreParsed()
    {
        const PbxReply ok = PbxReply::parse(QStringLiteral("aOK Tolmo 1.45 9"));
        QCOMPARE(ok.kind, PbxReply::Kind::Ok);
        QCOMPARE(ok.fields.value(3), QStringLiteral("9"));
        const PbxReply refused = PbxReply::parse(QStringLiteral("aNA 14"));
        QCOMPARE(refused.kind, PbxReply::Kind::Refused);
        QCOMPARE(refused.code, 14);
        // A code that is no number cannot pick a message: the command failed without one.
        QCOMPARE(PbxReply::parse(QStringLiteral("aNA x7")).kind, PbxReply::Kind::Error);
        QCOMPARE(PbxReply::parse(QStringLiteral("aNA")).kind, PbxReply::Kind::Error);
        QCOMPARE(PbxReply::parse(QStringLiteral("aERROR busy")).kind, PbxReply::Kind::Error);
    }

    void pinsNeverReachTheConsoleOrTheLog()
    {
        QCOMPARE(ConsoleMasking::mask(QStringLiteral("aLOGI 12__ 9876")), QStringLiteral("aLOGI 12__ ****"));
        QCOMPARE(ConsoleMasking::mask(QStringLiteral("aLOCK 12__ T 9876")), QStringLiteral("aLOCK 12__ T ****"));
        QCOMPARE(ConsoleMasking::mask(QStringLiteral("aACC 12__ T 55__ 9876")),
                 QStringLiteral("aACC 12__ T 55__ ****"));
        QCOMPARE(ConsoleMasking::mask(QStringLiteral("aDIAL 12__ 9876")), QStringLiteral("aDIAL 12__ 9876"));

        LinkHarness link;
        link.socket.connected = true;
        link.settings.WorkingPin = QStringLiteral("9876");
        link.dispatcher.sendRaw(link.lifecycle.loginCommand());
        link.dispatcher.sendRaw(QString());
        link.dispatcher.sendRaw(QStringLiteral("t"));
        QCOMPARE(link.socket.commands().first(), QStringLiteral("aLOGI 21__ 9876"));
        QCOMPARE(link.console.texts(), QStringList{QStringLiteral("aLOGI 21__ ****")});
        const QByteArray logged = readFile(link.log.path());
        QVERIFY(!logged.contains("9876"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] aLOGI 21__ \\*\\*\\*\\*\n$"))
                    .match(QString::fromUtf8(logged))
                    .hasMatch());
    }

    void refusalTables()
    {
        QCOMPARE(RefusalMessages::serviceRefusal(5), QStringLiteral("Subscriber called by a group"));
        QCOMPARE(RefusalMessages::serviceRefusal(14),
                 QStringLiteral("No system phone connected to this extension number. "));
        for (const int silent : {0, 1, 2, 19, 250, -3}) {
            QVERIFY(!RefusalMessages::serviceRefusal(silent).has_value());
        }
        QCOMPARE(RefusalMessages::loginRefusal(11), QStringLiteral("Access denied: PIN code error"));
        QCOMPARE(RefusalMessages::loginRefusal(42),
                 QStringLiteral("Access denied: unknown error number:42. Please wait a litle and start again"));
    }
};

QTEST_GUILESS_MAIN(TestLineProtocol)
#include "TestLineProtocol.moc"
