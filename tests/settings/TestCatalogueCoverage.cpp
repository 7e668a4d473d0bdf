// Every text the sources hand to _(), _n(), _p(), QT_TR_NOOP(), tr() or a .ui file must have a translation in each
// catalogue, no catalogue may keep a text the sources no longer use, and the catalogues must compile without
// warnings. The texts are extracted with xgettext; a failure lists the offending msgids of each catalogue in .po
// syntax, ready to be filled in or removed.
#include "settings/PoCatalogueCheck.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct ProcessResult {
    int exitCode = -1;
    QString output;
};

ProcessResult run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        return {-1, program + QStringLiteral(" did not run: ") + process.errorString()};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

// text as a C string literal; bytes above 0x7f stay UTF-8, which xgettext reads with --from-code=UTF-8.
QByteArray cLiteral(const QString& text)
{
    QByteArray literal("\"");
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += c;
        } else if (c == '\n') {
            literal += "\\n";
        } else if (c == '\t') {
            literal += "\\t";
        } else if (c >= 0 && c < 0x20) {
            literal += '\\' + QByteArray::number(c, 8).rightJustified(3, '0');
        } else {
            literal += c;
        }
    }
    return literal + '"';
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QList<PoCatalogueCheck::Entry> parsed(const char* text)
{
    QString error;
    const QList<PoCatalogueCheck::Entry> entries = PoCatalogueCheck::parse(QString::fromUtf8(text), &error);
    if (!error.isEmpty()) {
        qWarning() << error;
    }
    return entries;
}

} // namespace

class TestCatalogueCoverage final : public QObject {
    Q_OBJECT

private:
    QString poFile(const QString& language) const { return m_sourceDir + QStringLiteral("/po/%1.po").arg(language); }

    QStringList sourceFiles(const QStringList& patterns) const
    {
        QStringList files;
        QDirIterator it(m_sourceDir + QStringLiteral("/src"), patterns, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << it.next();
        }
        files.sort();
        return files;
    }

    // Writes every translatable <string> of the .ui files as a _() call for xgettext.
    bool writeUiStrings(const QString& path)
    {
        QByteArray calls;
        for (const QString& uiPath : sourceFiles({QStringLiteral("*.ui")})) {
            QFile uiFile(uiPath);
            if (!uiFile.open(QIODevice::ReadOnly)) {
                qWarning() << "cannot read" << uiPath;
                return false;
            }
            QXmlStreamReader reader(&uiFile);
            while (!reader.atEnd()) {
                if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("string")) {
                    continue;
                }
                const bool translatable = reader.attributes().value(QLatin1String("notr")) != QLatin1String("true");
                const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                if (translatable && !text.isEmpty()) {
                    calls += "_(" + cLiteral(text) + ");\n";
                }
            }
            if (reader.hasError()) {
                qWarning() << "malformed" << uiPath << reader.errorString();
                return false;
            }
        }
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(calls) == calls.size();
    }

    QString m_sourceDir;
    QTemporaryDir m_work;
    QString m_pot;

private slots:
    void initTestCase()
    {
        m_sourceDir = qEnvironmentVariable("TERVO_SOURCE_DIR");
        QVERIFY2(QFileInfo::exists(poFile(QStringLiteral("pl"))), "TERVO_SOURCE_DIR must name the source tree");
        QVERIFY(m_work.isValid());

        const QString uiStrings = m_work.filePath(QStringLiteral("ui-strings.cpp"));
        QVERIFY(writeUiStrings(uiStrings));
        QFile fileList(m_work.filePath(QStringLiteral("files.txt")));
        QVERIFY(fileList.open(QIODevice::WriteOnly));
        const QStringList files = sourceFiles({QStringLiteral("*.cpp"), QStringLiteral("*.h")}) << uiStrings;
        fileList.write(files.join(QLatin1Char('\n')).toUtf8() + '\n');
        fileList.close();

        m_pot = m_work.filePath(QStringLiteral("tervo.pot"));
        const ProcessResult xgettext =
            run(QStringLiteral("xgettext"),
                {QStringLiteral("--language=C++"), QStringLiteral("--from-code=UTF-8"), QStringLiteral("--force-po"),
                 QStringLiteral("-k"), QStringLiteral("--keyword=_:1,1t"), QStringLiteral("--keyword=_n:1,2,3t"),
                 QStringLiteral("--keyword=_p:1c,2,2t"), QStringLiteral("--keyword=tr"),
                 QStringLiteral("--keyword=QT_TR_NOOP"), QStringLiteral("--keyword=QT_TRANSLATE_NOOP:2"),
                 QStringLiteral("--keyword=translate:2"), QStringLiteral("--files-from=") + fileList.fileName(),
                 QStringLiteral("-o"), m_pot});
        QVERIFY2(xgettext.exitCode == 0, qPrintable(xgettext.output));
    }

    void cataloguesCompileCleanly_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("pl") << QStringLiteral("pl");
        QTest::newRow("cr") << QStringLiteral("cr");
    }

    void cataloguesCompileCleanly()
    {
        QFETCH(QString, language);
        const ProcessResult msgfmt =
            run(QStringLiteral("msgfmt"), {QStringLiteral("--check"), QStringLiteral("--verbose"), QStringLiteral("-o"),
                                           QStringLiteral("/dev/null"), poFile(language)});
        QVERIFY2(msgfmt.exitCode == 0 && !msgfmt.output.contains(QLatin1String("warning"), Qt::CaseInsensitive),
                 qPrintable(msgfmt.output));
    }

    void cataloguesCoverSources_data() { cataloguesCompileCleanly_data(); }

    void cataloguesCoverSources()
    {
        QFETCH(QString, language);
        QString error;
        const QList<PoCatalogueCheck::Entry> sources = PoCatalogueCheck::parse(readText(m_pot), &error);
        QVERIFY2(error.isEmpty(), qPrintable(m_pot + QStringLiteral(": ") + error));
        QVERIFY2(sources.size() > 100, "xgettext found next to no texts in src/");
        const QList<PoCatalogueCheck::Entry> catalogue = PoCatalogueCheck::parse(readText(poFile(language)), &error);
        QVERIFY2(error.isEmpty(), qPrintable(poFile(language) + QStringLiteral(": ") + error));

        const PoCatalogueCheck::Differences differences = PoCatalogueCheck::compare(sources, catalogue);
        QVERIFY2(differences.isEmpty(),
                 qPrintable(QStringLiteral("po/%1.po does not match the texts of src/:\n").arg(language) +
                            differences.report()));
    }

    // The comparison itself: every kind of fault in a catalogue is named, by its msgid, and nothing else is.
    void comparisonNamesEveryFault()
    {
        const auto sources = parsed(R"po(msgid ""
msgstr ""

#: a.cpp:1
msgid "Kept"
msgstr ""

msgid "Missing"
msgstr ""

msgctxt "menu"
msgid "Open"
msgstr ""

msgid "Two\nlines"
msgstr ""

msgid "%1 call"
msgid_plural "%1 calls"
msgstr[0] ""
msgstr[1] ""

msgid "Plural forms lost"
msgid_plural "Plural forms lost (n)"
msgstr[0] ""
msgstr[1] ""

msgid "Not translated"
msgstr ""

msgid "Doubtful"
msgstr ""

msgid ""
"Missing "
"in parts"
msgstr ""
)po");
        const auto catalogue = parsed(R"po(msgid ""
msgstr ""
"Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\n"

msgid "Kept"
msgstr "Zachowany"

msgid "Open"
msgstr "Otwórz bez kontekstu"

msgctxt "menu"
msgid "Open"
msgstr "Otwórz"

msgid "Two\nlines"
msgstr "Dwa\nwiersze"

msgid "%1 call"
msgid_plural "%1 calls"
msgstr[0] "%1 połączenie"
msgstr[1] "%1 połączenia"
msgstr[2] ""

msgid "Plural forms lost"
msgstr "Utracone"

msgid "Not translated"
msgstr ""

#, fuzzy
msgid "Doubtful"
msgstr "Wątpliwy"

#, fuzzy
#~ msgid "Gone"
#~ msgstr "Nie ma"
)po");
        const PoCatalogueCheck::Differences differences = PoCatalogueCheck::compare(sources, catalogue);
        QCOMPARE(differences.missing,
                 (QStringList{QStringLiteral(R"(msgid "Missing")"), QStringLiteral(R"(msgid "Missing in parts")")}));
        QCOMPARE(differences.untranslated,
                 (QStringList{QStringLiteral(R"(msgid "%1 call")"), QStringLiteral(R"(msgid "Not translated")")}));
        QCOMPARE(differences.fuzzy, QStringList{QStringLiteral(R"(msgid "Doubtful")")});
        QCOMPARE(differences.pluralMismatch,
                 QStringList{QStringLiteral(R"(msgid "Plural forms lost" (a plural text))")});
        QCOMPARE(differences.obsolete,
                 (QStringList{QStringLiteral(R"(msgid "Open")"), QStringLiteral(R"(msgid "Gone")")}));
        QVERIFY(differences.report().contains(QStringLiteral("missing (2):\n  msgid \"Missing\"\n")));

        QVERIFY(PoCatalogueCheck::compare(sources, sources).untranslated.size() == 9);
        QVERIFY(PoCatalogueCheck::compare(catalogue, catalogue).fuzzy.size() == 1);
    }

    void parserRejectsWhatIsNotPo()
    {
        QString error;
        PoCatalogueCheck::parse(QStringLiteral("msgid \"a\"\nmsgstr \"b\"\nnonsense\n"), &error);
        QVERIFY(error.contains(QLatin1String("line 3")));
        PoCatalogueCheck::parse(QStringLiteral("msgstr \"b\"\n"), &error);
        QVERIFY(error.contains(QLatin1String("line 1")));
        QCOMPARE(PoCatalogueCheck::unescape(u"a\\\"b\\\\c\\n\\101"), QStringLiteral("a\"b\\c\nA"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueCoverage)
#include "TestCatalogueCoverage.moc"
