#include "settings/MoCatalogue.h"
#include "settings/PluralExpression.h"
#include "support/CompileCatalogue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

void setWord(QByteArray& data, qsizetype offset, quint32 value)
{
    qToLittleEndian<quint32>(value, data.data() + offset);
}

quint32 word(const QByteArray& data, qsizetype offset)
{
    return qFromLittleEndian<quint32>(data.constData() + offset);
}

} // namespace

class TestMoCatalogue final : public QObject {
    Q_OBJECT

private:
    QByteArray compile(const char* po, const QString& endianness = QStringLiteral("little"))
    {
        const QString moPath = m_folder.filePath(QStringLiteral("test.mo"));
        if (!compileCatalogue(po, moPath, {QStringLiteral("--endianness=") + endianness})) {
            return {};
        }
        QFile moFile(moPath);
        return moFile.open(QIODevice::ReadOnly) ? moFile.readAll() : QByteArray();
    }

    QTemporaryDir m_folder;

private slots:
    void readsBothByteOrders_data()
    {
        QTest::addColumn<QString>("endianness");
        QTest::newRow("little") << QStringLiteral("little");
        QTest::newRow("big") << QStringLiteral("big");
    }

    void readsBothByteOrders()
    {
        QFETCH(QString, endianness);
        const std::optional<MoCatalogue> catalogue = MoCatalogue::fromData(compile(polishPo, endianness));
        QVERIFY(catalogue);
        QCOMPARE(catalogue->size(), 4);
        QCOMPARE(catalogue->translation("Settings"), QStringLiteral("Ustawienia"));
        QCOMPARE(catalogue->translation("Open"), QStringLiteral("Otwórz"));
        QCOMPARE(catalogue->translation("menu", "Open"), QStringLiteral("Otwórz menu"));
        QCOMPARE(catalogue->translation("%n file(s)"), QStringLiteral("%n plik"));
        QVERIFY(catalogue->translation("Book2").isNull());
        QVERIFY(catalogue->translation("").isNull());
        QVERIFY(catalogue->translation("other", "Open").isNull());
        QCOMPARE(catalogue->pluralTranslation("Settings", 5), QStringLiteral("Ustawienia"));

        const std::pair<int, const char*> polishForms[] = {{1, "%n plik"},    {2, "%n pliki"},  {5, "%n plików"},
                                                           {12, "%n plików"}, {22, "%n pliki"}, {112, "%n plików"}};
        for (const auto& [n, expected] : polishForms) {
            QCOMPARE(catalogue->pluralTranslation("%n file(s)", static_cast<std::uint64_t>(n)),
                     QString::fromUtf8(expected));
        }
    }

    void evaluatesExpressions()
    {
        const char* const croatian = "n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2";
        const std::tuple<const char*, std::uint64_t, std::uint64_t> cases[] = {
            {croatian, 1, 0},
            {croatian, 11, 2},
            {croatian, 21, 0},
            {croatian, 23, 1},
            {"1 + 2 * n - 6 / 3", 4, 7},
            {"n<2 ? 0 : n<=3 ? 1 : n>4 ? 3 : 2", 4, 2},
            {"!(n == 0) + !!n", 3, 2},
            {"n / 0 + n % (n - n)", 7, 0}};
        for (const auto& [expression, n, expected] : cases) {
            const std::optional<PluralExpression> parsed = PluralExpression::parse(expression, 3);
            QVERIFY2(parsed, expression);
            QCOMPARE(parsed->evaluate(n), expected);
        }
    }

    void rejectsMalformedExpressions()
    {
        const QByteArray deep = QByteArray(40, '(') + 'n' + QByteArray(40, ')');
        for (const QByteArray& expression : {QByteArray(), QByteArray("n +"), QByteArray("(n"), QByteArray("n ? 1"),
                                             QByteArray("n = 1"), QByteArray("1 2"), QByteArray("nplurals"),
                                             QByteArray("99999999999999999999999"), deep, QByteArray(600, 'n')}) {
            QVERIFY2(!PluralExpression::parse(expression, 2), expression.constData());
        }
        QVERIFY(!PluralExpression::parse("n", 0));
    }

    void readsPluralHeader()
    {
        const PluralExpression absent = PluralExpression::fromHeader("Content-Type: text/plain; charset=UTF-8\n");
        QCOMPARE(absent.formCount(), 2);
        QCOMPARE(absent.formIndex(1), 0);
        QCOMPARE(absent.formIndex(0), 1);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Malformed Plural-Forms")));
        const PluralExpression garbage = PluralExpression::fromHeader("Plural-Forms: nplurals=x; plural=n>>1;\n");
        QCOMPARE(garbage.formCount(), 2);
        QCOMPARE(garbage.formIndex(2), 1);

        const PluralExpression outOfRange = PluralExpression::fromHeader("X: y\nPlural-Forms: nplurals=2; plural=n;");
        QCOMPARE(outOfRange.formIndex(1), 1);
        QCOMPARE(outOfRange.formIndex(5), 0);
    }

    void rejectsMalformedFiles_data()
    {
        const QByteArray valid = compile(polishPo);
        QVERIFY(valid.size() > 28);
        const qsizetype originals = word(valid, 12);
        const qsizetype translations = word(valid, 16);
        const auto patched = [&valid](qsizetype offset, quint32 value) {
            QByteArray copy = valid;
            setWord(copy, offset, value);
            return copy;
        };

        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("truncated header") << valid.first(20);
        QTest::newRow("truncated strings") << valid.first(valid.size() / 2);
        QTest::newRow("bad magic") << patched(0, 0x12345678);
        QTest::newRow("major revision 1") << patched(4, 0x10000);
        QTest::newRow("huge count") << patched(8, 0xffffffff);
        QTest::newRow("table past the end") << patched(12, static_cast<quint32>(valid.size()));
        QTest::newRow("string offset past the end") << patched(originals + 12, 0xfffffff0);
        QTest::newRow("string length past the end") << patched(translations + 8, static_cast<quint32>(valid.size()));

        // Every translation points at the same long string: within the file, but far more text than it holds.
        QByteArray overlapping = valid;
        for (qsizetype i = 0; i < word(valid, 8); ++i) {
            setWord(overlapping, translations + i * 8, static_cast<quint32>(valid.size() - 40));
            setWord(overlapping, translations + i * 8 + 4, 32);
        }
        QTest::newRow("overlapping strings") << overlapping;
    }

    void rejectsMalformedFiles()
    {
        QFETCH(QByteArray, data);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Ignoring catalogue")));
        QVERIFY(!MoCatalogue::fromData(data, QStringLiteral("test")));
    }
};

QTEST_GUILESS_MAIN(TestMoCatalogue)
#include "TestMoCatalogue.moc"
