#include "books/contacts/DiacriticFolding.h"
#include "books/contacts/NameFilter.h"
#include "books/contacts/NumberList.h"
#include "books/contacts/PhoneNumbers.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Number normalisation and the search filters of the book window, without a database.
class TestPhoneBookFilters final : public QObject {
    Q_OBJECT

private slots:
    void normalise_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("addZero");
        QTest::addColumn<QString>("expected");
        QTest::newRow("home country") << u" +48 (22) 555-12-34 "_s << false << u"225551234"_s;
        QTest::newRow("home country with zero") << u"+48 22 555 12 34"_s << true << u"0225551234"_s;
        QTest::newRow("other country") << u"+49 30 1234"_s << true << u"0049301234"_s;
        QTest::newRow("no longer than the code") << u"+48"_s << false << u"0048"_s;
        QTest::newRow("lone plus") << u"+"_s << false << QString();
        QTest::newRow("plus inside") << u"12+34"_s << false << u"1234"_s;
        QTest::newRow("dialling characters stay") << u"*21#600/1|2"_s << false << u"*21#600/1|2"_s;
        QTest::newRow("letters only") << u"abc"_s << false << QString();
    }

    void normalise()
    {
        QFETCH(QString, text);
        QFETCH(bool, addZero);
        QFETCH(QString, expected);
        const QString once = PhoneNumbers::normalise(text, u"48"_s, addZero);
        QCOMPARE(once, expected);
        QCOMPARE(PhoneNumbers::normalise(once, u"48"_s, addZero), once);
    }

    void nameFilterModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("passes");
        QTest::newRow("word start, second word") << 0 << u"kow"_s << true;
        QTest::newRow("name start, second word") << 1 << u"kow"_s << false;
        QTest::newRow("substring") << 2 << u"kow"_s << true;
        QTest::newRow("substring inside a word") << 2 << u"owal"_s << true;
        QTest::newRow("word start, inside a word") << 0 << u"owal"_s << false;
        QTest::newRow("blank makes word start a name start") << 0 << u"jan k"_s << true;
        QTest::newRow("blank, not at the name start") << 0 << u"an k"_s << false;
        QTest::newRow("upper case search") << 1 << u"JAN"_s << true;
    }

    void nameFilterModes()
    {
        QFETCH(int, mode);
        QFETCH(QString, search);
        QFETCH(bool, passes);
        NameFilter filter(mode, false, u"pl"_s);
        filter.setSearchText(search);
        QCOMPARE(filter.passes(u"Jan Kowalski"_s), passes);
    }

    void emptySearchDoesNotJudge()
    {
        NameFilter filter(1, true, u"pl"_s);
        filter.setSearchText(QString());
        QVERIFY(!filter.judges());
        QVERIFY(filter.passes(u"anything"_s));
    }

    void foldingFollowsSettingAndLanguage()
    {
        NameFilter folding(2, true, u"pl"_s);
        folding.setSearchText(u"lodz"_s);
        QVERIFY(folding.passes(u"Łódź"_s));
        folding.setSearchText(u"ŁÓDŹ"_s);
        QVERIFY(folding.passes(u"Lodz"_s));

        NameFilter exact(2, false, u"pl"_s);
        exact.setSearchText(u"lodz"_s);
        QVERIFY(!exact.passes(u"Łódź"_s));

        NameFilter russian(2, true, u"ru_RU"_s);
        russian.setSearchText(u"lodz"_s);
        QVERIFY(!russian.passes(u"Łódź"_s));
    }

    void foldingCoversTheCodePageAndKeepsCase()
    {
        QCOMPARE(DiacriticFolding::searchForm(u"ĄąĆćĘęŁłŃńÓóŚśŹźŻż", true), u"aacceellnnoosszzzz"_s);
        const QString others = u"ŠšŤťŽžŞşĽľŔŕÁÂĂÄĹÇČÉËĚÍÎĎĐŇÔŐÖŘŮÚŰÜÝŢ"_s;
        QString folded;
        for (const QChar letter : others) {
            folded.append(DiacriticFolding::fold(letter));
        }
        QCOMPARE(folded, u"SsTtZzSsLlRrAAAALCCEEEIIDDNOOORUUUUYT"_s);
        // Not a letter with a diacritic, and outside the code page.
        QCOMPARE(DiacriticFolding::fold(u'ß'), QChar(u'ß'));
        QCOMPARE(DiacriticFolding::fold(u'ñ'), QChar(u'ñ'));
    }

    void numberFilter()
    {
        QVERIFY(!NumberFilter::passes(QString(), QString()));
        QVERIFY(NumberFilter::passes(u"123456"_s, QString()));
        QVERIFY(NumberFilter::passes(u"123456"_s, u"12345"_s));
        QVERIFY(NumberFilter::passes(u"123456"_s, u"123456"_s));
        QVERIFY(!NumberFilter::passes(u"123456"_s, u"1234567"_s));
        QVERIFY(!NumberFilter::passes(u"123456"_s, u"23"_s));
        QVERIFY(NumberFilter::passes(u"/123456"_s, u"123"_s));
        QVERIFY(!NumberFilter::passes(u"//123456"_s, u"123"_s));
    }
};

QTEST_GUILESS_MAIN(TestPhoneBookFilters)
#include "TestPhoneBookFilters.moc"
