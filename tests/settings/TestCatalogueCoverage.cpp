// Every text the sources hand to _(), _n(), tr() or a .ui file must have a translation in each catalogue, and
// the catalogues must compile without warnings. The texts are extracted with xgettext and compared with msgcmp.
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

QStringList readLines(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')) : QStringList();
}

// The msgid written at or just above line (1-based) of a .pot file, as msgcmp reports it.
QString msgidNear(const QStringList& potLines, int line)
{
    int start = qMin(line, int(potLines.size())) - 1;
    while (start >= 0 && !potLines[start].startsWith(QLatin1String("msgid "))) {
        --start;
    }
    if (start < 0) {
        return QStringLiteral("(line %1)").arg(line);
    }
    QStringList msgid{potLines[start]};
    for (int i = start + 1; i < potLines.size() && potLines[i].startsWith(QLatin1Char('"')); ++i) {
        msgid << potLines[i];
    }
    return msgid.join(QLatin1Char(' '));
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
        const ProcessResult msgcmp = run(QStringLiteral("msgcmp"), {poFile(language), m_pot});
        if (msgcmp.exitCode == 0) {
            return;
        }
        // msgcmp names a line of the .pot for a missing text and a line of the .po for a fuzzy one.
        const QHash<QString, QStringList> lines{{m_pot, readLines(m_pot)},
                                                {poFile(language), readLines(poFile(language))}};
        static const QRegularExpression problem(QStringLiteral("^(.*):(\\d+): (?!warning:)(.*)$"),
                                                QRegularExpression::MultilineOption);
        QStringList msgids;
        for (auto it = problem.globalMatch(msgcmp.output); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            msgids << msgidNear(lines.value(match.captured(1)), match.captured(2).toInt()) + QStringLiteral(" (") +
                          match.captured(3) + QLatin1Char(')');
        }
        QFAIL(qPrintable(
            QStringLiteral("%1.po lacks translations for:\n%2\n%3")
                .arg(language, msgids.join(QLatin1Char('\n')), msgids.isEmpty() ? msgcmp.output : QString())));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueCoverage)
#include "TestCatalogueCoverage.moc"
