#include "settings/CodePage.h"
#include "settings/IniInteger.h"
#include "settings/LogFile.h"
#include "settings/NumberNormalisation.h"
#include "settings/SecretScrambler.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsValues final : public QObject {
    Q_OBJECT

private slots:
    void scrambledSecretsHaveTheirProperties_data()
    {
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("recovered");
        QTest::newRow("four digits") << QStringLiteral("1234") << QStringLiteral("1234");
        QTest::newRow("six digits") << QStringLiteral("123456") << QStringLiteral("1234");
        QTest::newRow("one digit") << QStringLiteral("7") << QStringLiteral("7___");
        QTest::newRow("equal digits") << QStringLiteral("0000") << QStringLiteral("0000");
        QTest::newRow("equals sign") << QStringLiteral("====") << QStringLiteral("====");
        QTest::newRow("keypad") << QStringLiteral("*#09") << QStringLiteral("*#09");
        QTest::newRow("Polish letters") << QStringLiteral("żółw") << QStringLiteral("żółw");
        QTest::newRow("outside the code page") << QStringLiteral("日本") << QStringLiteral("??__");
    }

    void scrambledSecretsHaveTheirProperties()
    {
        QFETCH(QString, secret);
        QFETCH(QString, recovered);
        const QString scrambled = SecretScrambler::scramble(secret);
        QCOMPARE(scrambled.size(), SecretScrambler::ScrambledLength);
        for (const QChar c : scrambled) {
            QVERIFY2(c.unicode() > 0x20 && c.unicode() < 0x7F && c != u'=', qPrintable(scrambled));
        }
        QVERIFY(!scrambled.contains(secret.left(4)));
        QCOMPARE(SecretScrambler::unscramble(scrambled), recovered);
        QCOMPARE(SecretScrambler::unscramble(scrambled + QStringLiteral("trailing")), recovered);
    }

    void emptyAndForeignSecrets()
    {
        QCOMPARE(SecretScrambler::scramble(QString()), QString());
        QCOMPARE(SecretScrambler::unscramble(QString()), QString());
        QVERIFY(!SecretScrambler::unscramble(QStringLiteral("1234")).has_value());
        QVERIFY(!SecretScrambler::unscramble(QStringLiteral("================")).has_value());
        QVERIFY(SecretScrambler::scramble(QStringLiteral("1111")) != SecretScrambler::scramble(QStringLiteral("1112")));
    }

    void iniIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("decimal") << QStringLiteral("5524") << 5524 << true;
        QTest::newRow("spaces") << QStringLiteral(" -1 ") << -1 << true;
        QTest::newRow("hex dollar") << QStringLiteral("$1F") << 31 << true;
        QTest::newRow("hex 0x") << QStringLiteral("0x10") << 16 << true;
        QTest::newRow("minimum") << QStringLiteral("-2147483648") << int(-2147483647 - 1) << true;
        QTest::newRow("maximum") << QStringLiteral("2147483647") << 2147483647 << true;
        QTest::newRow("overflow") << QStringLiteral("2147483648") << 0 << false;
        QTest::newRow("huge") << QStringLiteral("99999999999999999999") << 0 << false;
        QTest::newRow("empty") << QString() << 0 << false;
        QTest::newRow("sign only") << QStringLiteral("-") << 0 << false;
        QTest::newRow("letters") << QStringLiteral("12a") << 0 << false;
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("١٢") << 0 << false;
    }

    void iniIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, valid);
        const std::optional<int> parsed = parseIniInteger(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        }
    }

    void internationalPrefix_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("international") << QStringLiteral("+48 58 123") << QStringLiteral("0048 58 123");
        QTest::newRow("hash and bar") << QStringLiteral("+1#2|3") << QStringLiteral("001#2|3");
        QTest::newRow("lone plus") << QStringLiteral("+") << QStringLiteral("+");
        QTest::newRow("letters") << QStringLiteral("+48abc") << QStringLiteral("+48abc");
        QTest::newRow("dash") << QStringLiteral("+48-58") << QStringLiteral("+48-58");
        QTest::newRow("no plus") << QStringLiteral("0048") << QStringLiteral("0048");
        QTest::newRow("plus inside") << QStringLiteral("48+1") << QStringLiteral("48+1");
    }

    void internationalPrefix()
    {
        QFETCH(QString, number);
        QFETCH(QString, normalised);
        QCOMPARE(normaliseInternationalPrefix(number), normalised);
    }

    void windows1250RoundTripsEveryByte()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte) {
            all.append(static_cast<char>(byte));
        }
        QCOMPARE(CodePage::toWindows1250(CodePage::fromWindows1250(all)), all);
        QCOMPARE(CodePage::fromWindows1250("\xE9\x8C\xB9"), QStringLiteral("éŚą"));
        QCOMPARE(CodePage::toWindows1250(u"€ ж"), QByteArray("\x80 ?"));
    }

    void logLinesCarryTheirTimeStamp()
    {
        QTemporaryDir dir;
        const QDateTime time(QDate(2026, 3, 7), QTime(9, 5, 1));
        const LogFile log(dir.filePath(QStringLiteral("log/error.log")), LogFile::Stamp::DateTime,
                          [time] { return time; });
        QVERIFY(log.append(QStringLiteral("first")));
        QVERIFY(log.append(QStringLiteral("second")));
        QFile file(log.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[26-03-07 09:05:01] first\n[26-03-07 09:05:01] second\n"));
        QVERIFY(isOwnerOnly(log.path()));
        QCOMPARE(LogFile::prefix(time, LogFile::Stamp::Time), QStringLiteral("[09:05:01] "));
    }
};

QTEST_GUILESS_MAIN(TestSettingsValues)
#include "TestSettingsValues.moc"
