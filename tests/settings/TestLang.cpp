#include "settings/CatalogueLocator.h"
#include "settings/Lang.h"
#include "settings/MoCatalogue.h"
#include "support/CompileCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const croatianPo = R"po(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"

msgid "Settings"
msgstr "Postavke"
)po";

// Compiles po into folder/locale/<name>/LC_MESSAGES/tervo.mo.
bool writeCatalogue(const QString& folder, const QString& name, const char* po)
{
    return compileCatalogue(po, QDir(folder).filePath(CatalogueLocator::relativePath(name)));
}

} // namespace

class TestLang final : public QObject {
    Q_OBJECT

private:
    void useTestCatalogue(const QString& code) { Lang::useLanguage(code, CatalogueLocator({m_folder.path()})); }

    QTemporaryDir m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(writeCatalogue(m_folder.path(), QStringLiteral("pl"), polishPo));
        QVERIFY(writeCatalogue(m_folder.path(), QStringLiteral("cr"), croatianPo));
    }

    void choosesLanguage()
    {
        const QString program = QStringLiteral("tervo");
        const std::pair<QStringList, const char*> cases[] = {
            {{program}, "pl"},
            {{program, QStringLiteral("-l=en")}, "en"},
            {{program, QStringLiteral("-l=cr")}, "cr"},
            {{program, QStringLiteral("-x"), QStringLiteral("-l=hr")}, "hr"},
            {{program, QStringLiteral("-l=de")}, "de"},
            {{program, QStringLiteral("-l=en"), QStringLiteral("-l=cr")}, "en"},
            {{program, QStringLiteral("--l=en"), QStringLiteral("l=en")}, "pl"}};
        for (const auto& [arguments, expected] : cases) {
            QCOMPARE(Lang::chooseLanguage(arguments), QString::fromUtf8(expected));
        }
    }

    void translates_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("msgid");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("polish");
        QTest::addColumn<bool>("english");
        const auto row = [](const char* name, const char* msgid, const char* expected, bool polish, bool english) {
            QTest::newRow(name) << QString::fromUtf8(name).section(QLatin1Char(' '), 0, 0) << QByteArray(msgid)
                                << QString::fromUtf8(expected) << polish << english;
        };
        row("pl", "Settings", "Ustawienia", true, false);
        row("PL", "Settings", "Ustawienia", true, false);
        row("cr", "Settings", "Postavke", false, false);
        row("hr", "Settings", "Postavke", false, false);
        row("en", "Settings", "Settings", false, true);
        row("de", "Settings", "Settings", false, false);
        row("pl missing msgid", "Book2", "Book2", true, false);
    }

    void translates()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, msgid);
        QFETCH(QString, expected);
        useTestCatalogue(code);
        QCOMPARE(Lang::_(msgid.constData()), expected);
        QCOMPARE(Lang::currentLanguage(), code);
        QTEST(Lang::isPolish(), "polish");
        QTEST(Lang::isEnglish(), "english");
    }

    void translatesDomainsAndPlurals()
    {
        useTestCatalogue(QStringLiteral("pl"));
        QCOMPARE(Lang::_("", "Settings"), QStringLiteral("Ustawienia"));
        QCOMPARE(Lang::_("tervo", "Settings"), QStringLiteral("Ustawienia"));
        QCOMPARE(Lang::_("qt", "Settings"), QStringLiteral("Settings"));
        QCOMPARE(Lang::_n("%n file(s)", "%n files", 22), QStringLiteral("%n pliki"));
        QCOMPARE(Lang::_n("%n dir", "%n dirs", 5), QStringLiteral("%n dirs"));

        useTestCatalogue(QStringLiteral("en"));
        QCOMPARE(Lang::_n("%n file(s)", "%n files", 1), QStringLiteral("%n file(s)"));
        QCOMPARE(Lang::_n("%n file(s)", "%n files", 0), QStringLiteral("%n files"));
    }

    void locatesInOrder()
    {
        const QStringList folders{m_folder.filePath(QStringLiteral("a")), m_folder.filePath(QStringLiteral("b")),
                                  m_folder.filePath(QStringLiteral("c"))};
        const CatalogueLocator locator(folders);
        const QString relative = QStringLiteral("/locale/cr/LC_MESSAGES/tervo.mo");
        QCOMPARE(locator.candidates(QStringLiteral("hr")),
                 (QStringList{folders[0] + relative, folders[1] + relative, folders[2] + relative}));
        QVERIFY(locator.candidates(QStringLiteral("en")).isEmpty());
        QVERIFY(locator.locate(QStringLiteral("cr")).isEmpty());

        QVERIFY(writeCatalogue(folders[2], QStringLiteral("cr"), croatianPo));
        QCOMPARE(locator.locate(QStringLiteral("cr")), folders[2] + relative);
        QVERIFY(writeCatalogue(folders[1], QStringLiteral("cr"), croatianPo));
        QCOMPARE(locator.locate(QStringLiteral("cr")), folders[1] + relative);

        const QString executableFolder = QCoreApplication::applicationDirPath();
        QCOMPARE(CatalogueLocator::defaultFolders(),
                 (QStringList{QStringLiteral(":"), executableFolder, executableFolder + QStringLiteral("/../share")}));
    }

    void embedsCatalogues()
    {
        for (const QString& code : {QStringLiteral("pl"), QStringLiteral("hr")}) {
            const QString path = CatalogueLocator().locate(code);
            QVERIFY2(path.startsWith(QStringLiteral(":/locale/")), qPrintable(path));
            const std::optional<MoCatalogue> catalogue = MoCatalogue::fromFile(path);
            QVERIFY(catalogue);
            QCOMPARE(catalogue->pluralRule().formCount(), 3);
        }
        // The shipped catalogues as the command line chooses them: "cr" and its alias "hr" Croatian, "en" and
        // unknown codes English.
        const char* const msgid = "Cannot create directory.";
        const QList<std::pair<QString, QString>> expected{
            {QStringLiteral("-l=pl"), QStringLiteral("Nie można utworzyć katalogu.")},
            {QStringLiteral("-l=cr"), QStringLiteral("Nije moguće stvoriti mapu.")},
            {QStringLiteral("-l=hr"), QStringLiteral("Nije moguće stvoriti mapu.")},
            {QStringLiteral("-l=en"), QString::fromUtf8(msgid)},
            {QStringLiteral("-l=de"), QString::fromUtf8(msgid)},
        };
        for (const auto& [argument, text] : expected) {
            Lang::useLanguage(Lang::chooseLanguage({QStringLiteral("tervo"), argument}));
            QCOMPARE(Lang::_(msgid), text);
        }
        Lang::useLanguage(QStringLiteral("pl"));
        QCOMPARE(Lang::_n("(reported %1 time)", "(reported %1 times)", 22).arg(22),
                 QStringLiteral("(zgłoszono 22 razy)"));
        Lang::useLanguage(QStringLiteral("hr"));
        QCOMPARE(Lang::_n("(reported %1 time)", "(reported %1 times)", 21).arg(21),
                 QStringLiteral("(prijavljeno 21 put)"));
        Lang::useLanguage(QStringLiteral("en"));
    }

    void translatorFollowsLanguage()
    {
        useTestCatalogue(QStringLiteral("pl"));
        QCOMPARE(QCoreApplication::translate("AnyContext", "Settings"), QStringLiteral("Ustawienia"));
        QCOMPARE(QCoreApplication::translate("Main", "Open", "menu"), QStringLiteral("Otwórz menu"));
        QCOMPARE(QCoreApplication::translate("Main", "Open", "toolbar"), QStringLiteral("Otwórz"));
        QCOMPARE(QCoreApplication::translate("Main", "%n file(s)", nullptr, 5), QStringLiteral("5 plików"));
        QCOMPARE(QCoreApplication::translate("Db", "Book2"), QStringLiteral("Book2"));
        const char* const connection = "QPSQL:host=localhost;dbname=tervo";
        QCOMPARE(QCoreApplication::translate("Db", connection), QString::fromUtf8(connection));

        useTestCatalogue(QStringLiteral("hr"));
        QCOMPARE(QCoreApplication::translate("AnyContext", "Settings"), QStringLiteral("Postavke"));
        useTestCatalogue(QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("AnyContext", "Settings"), QStringLiteral("Settings"));
    }
};

QTEST_GUILESS_MAIN(TestLang)
#include "TestLang.moc"
