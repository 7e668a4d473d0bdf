#include "phone/DialTarget.h"
#include "phone/EntryText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEntryText final : public QObject {
    Q_OBJECT

private slots:
    void classifiesAndDialsTheEntryLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<QString>("digits");
        QTest::newRow("written number") << u"(0 12) 345-67"_s << true << u"01234567"_s;
        QTest::newRow("international") << u"+48 22 555"_s << true << u"+4822555"_s;
        QTest::newRow("service sequence") << u"/#31*"_s << true << u"#31*"_s;
        QTest::newRow("separator") << u"12|34"_s << true << u"1234"_s;
        QTest::newRow("name") << u"Kowalski"_s << false << u""_s;
        QTest::newRow("digits in a name") << u"Room 12"_s << false << u"12"_s;
        QTest::newRow("other digits") << u"\u0661\u0662"_s << false << u""_s;
        QTest::newRow("empty") << QString() << false << QString();
    }

    void classifiesAndDialsTheEntryLine()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(QString, digits);
        QCOMPARE(EntryText::isNumber(text), isNumber);
        QCOMPARE(EntryText::dialDigits(text), digits);
    }

    void dialsWhatTheExchangeCanDial_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::newRow("international with spaces") << u"+48 22 555 01 02"_s << u"0048225550102"_s;
        QTest::newRow("international written") << u" +48 (22) 555-01-02"_s << u"0048225550102"_s;
        QTest::newRow("national") << u"(0 12) 345-67"_s << u"01234567"_s;
        QTest::newRow("plus inside") << u"12+34"_s << u"1234"_s;
        QTest::newRow("service code") << u"*21#"_s << u"*21#"_s;
        QTest::newRow("name") << u"Kowalski"_s << u""_s;
    }

    void dialsWhatTheExchangeCanDial()
    {
        QFETCH(QString, text);
        QFETCH(QString, number);
        QCOMPARE(EntryText::dialNumber(text), number);
    }

    void pastesANumberOrAName_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isName");
        QTest::newRow("international") << u"  +48 22 555 01 02\n"_s << u"0048 22 555 01 02"_s << false;
        QTest::newRow("dashes stay written") << u"+48-22-555"_s << u"+48-22-555"_s << false;
        QTest::newRow("begins with a letter") << u"tel. 600 123"_s << u"tel. 600 123"_s << true;
        QTest::newRow("number with words") << u"600 123 (mobile)"_s << u"600 123 ()"_s << false;
        QTest::newRow("name, first line") << u" Kowalski Jan\r\nul. Polna 1"_s << u"Kowalski Jan"_s << true;
        QTest::newRow("national letter") << u"Łukasz"_s << u"Łukasz"_s << true;
        QTest::newRow("long name") << QString(100, u'a') << QString(80, u'a') << true;
        QTest::newRow("long number") << QString(100, u'1') << QString(80, u'1') << false;
    }

    void pastesANumberOrAName()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(bool, isName);
        const EntryText::Pasted pasted = EntryText::fromClipboard(clipboard);
        QCOMPARE(pasted.text, text);
        QCOMPARE(pasted.isName, isName);
    }

    void takesTheNumberOfADialRequest_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("number");
        QTest::newRow("own scheme") << u"tervop:123/"_s << u"123"_s;
        QTest::newRow("own scheme as the desktop writes it") << u"TervoP://600%20123%20456/"_s << u"600123456"_s;
        QTest::newRow("tel") << u"tel:+48-22-555-01-02"_s << u"+48225550102"_s;
        QTest::newRow("tel with spaces") << u"tel:+48 22 555"_s << u"+4822555"_s;
        QTest::newRow("stray plus") << u"tel:12+34+"_s << u"1234"_s;
        QTest::newRow("lone plus") << u"tel:+"_s << u""_s;
        QTest::newRow("callto") << u"callto://600123456"_s << u"600123456"_s;
        QTest::newRow("encoded plus and parameter") << u"TEL:%2B4812;ext=5"_s << u"+4812"_s;
        QTest::newRow("query") << u"callto:600?call"_s << u"600"_s;
        QTest::newRow("service code") << u"tel:*21%23"_s << u"*21#"_s;
        QTest::newRow("plain") << u" 123 "_s << u"123"_s;
        QTest::newRow("scheme only") << u"tel:"_s << u""_s;
        QTest::newRow("other scheme") << u"mailto:x"_s << u""_s;
    }

    void takesTheNumberOfADialRequest()
    {
        QFETCH(QString, target);
        QFETCH(QString, number);
        QCOMPARE(DialTarget::numberOf(target), number);
    }
};

QTEST_GUILESS_MAIN(TestEntryText)
#include "TestEntryText.moc"
