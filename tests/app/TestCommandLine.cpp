#include "app/CommandLine.h"
#include "settings/Lang.h"

#include <QTest>

class TestCommandLine final : public QObject {
    Q_OBJECT

private slots:
    void parsesTheClientsParameters()
    {
        const CommandLine dial =
            CommandLine::parse({QStringLiteral("tervo"), QStringLiteral("-l=cr"), QStringLiteral("DIAL"),
                                QStringLiteral("tel:+4858123"), QStringLiteral("-l=en"), QStringLiteral("--strange")});
        QCOMPARE(dial.language, QStringLiteral("cr"));
        QCOMPARE(dial.dialTarget, QStringLiteral("tel:+4858123"));
        QCOMPARE(dial.ignored, QStringList{QStringLiteral("--strange")});
        QVERIFY(!dial.showHelp && !dial.showVersion);

        const CommandLine bare = CommandLine::parse({QStringLiteral("tervo"), QStringLiteral("dial")});
        QCOMPARE(bare.language, QStringLiteral("pl"));
        QVERIFY(bare.dialTarget.isEmpty());

        QVERIFY(CommandLine::parse({QStringLiteral("tervo"), QStringLiteral("--help")}).showHelp);
        QVERIFY(CommandLine::parse({QStringLiteral("tervo"), QStringLiteral("--version")}).showVersion);
    }

    void helpNamesTheParametersInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("pl") << QStringLiteral("pl");
        QTest::newRow("cr") << QStringLiteral("cr");
        QTest::newRow("en") << QStringLiteral("en");
    }

    void helpNamesTheParametersInEveryLanguage()
    {
        QFETCH(QString, language);
        Lang::useLanguage(language);
        const QString help = CommandLine::helpText(QStringLiteral("tervo"));
        QVERIFY(help.contains(QStringLiteral("  dial ")));
        QVERIFY(help.contains(QStringLiteral("  -l=")));
        QCOMPARE(help.contains(QStringLiteral("Options:")), language == u"en");
        QVERIFY(CommandLine::versionText().contains(QStringLiteral("3.08")));
        Lang::useLanguage(QStringLiteral("en"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
