#include "settings/CodePage.h"
#include "settings/SmsWireText.h"

#include <QTest>

namespace {

// "Zażółć gęślą jaźń ŁŚŻŹĆŃ" in code page 852.
const QByteArray PolishInCp852 = QByteArray::fromHex("5a61bea288862067a9986ca5206a61abe4209d97bd8d8fe3");
const QString Polish = QStringLiteral("Zażółć gęślą jaźń ŁŚŻŹĆŃ");

// What the link hands on for bytes off the wire: they are always read as Windows-1250.
QString asReceived(const QByteArray& bytes)
{
    return CodePage::fromWindows1250(bytes);
}

// Every character code page 852 has, except the line breaks, which come back as CR LF.
QString allCp852Characters()
{
    QByteArray bytes;
    for (int byte = 0; byte <= 0xFF; ++byte) {
        if (byte != '\r' && byte != '\n') {
            bytes.append(static_cast<char>(byte));
        }
    }
    return CodePage::fromCp852(bytes);
}

} // namespace

class TestSmsWireText final : public QObject {
    Q_OBJECT

private slots:
    void cp852CoversEveryByteAndReplacesTheRest()
    {
        QCOMPARE(CodePage::fromCp852(PolishInCp852), Polish);
        QCOMPARE(CodePage::toCp852(Polish), PolishInCp852);
        QByteArray everyByte;
        for (int byte = 0; byte <= 0xFF; ++byte) {
            everyByte.append(static_cast<char>(byte));
        }
        QCOMPARE(CodePage::toCp852(CodePage::fromCp852(everyByte)), everyByte);
        QCOMPARE(CodePage::toCp852(u"€ a ©"), QByteArray("? a ?"));
    }

    void decodeUnescapes_data()
    {
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QString>("text");
        QTest::newRow("line break") << QStringLiteral(R"(first\nsecond)") << QStringLiteral("first\r\nsecond");
        QTest::newRow("doubled backslash") << QStringLiteral(R"(a\\b)") << QStringLiteral(R"(a\b)");
        QTest::newRow("escaped backslash before n") << QStringLiteral(R"(C:\\new)") << QStringLiteral(R"(C:\new)");
        QTest::newRow("line break after backslash") << QStringLiteral(R"(\\\n)") << QStringLiteral("\\\r\n");
        QTest::newRow("other escape") << QStringLiteral(R"(a\tb)") << QStringLiteral(R"(a\tb)");
        QTest::newRow("trailing backslash") << QStringLiteral(R"(end\)") << QStringLiteral(R"(end\)");
        QTest::newRow("trailing after pair") << QStringLiteral(R"(\\\)") << QStringLiteral(R"(\\)");
    }

    void decodeUnescapes()
    {
        QFETCH(QString, wire);
        QFETCH(QString, text);
        QCOMPARE(SmsWireText::decode(wire, false), text);
        QCOMPARE(SmsWireText::decode(wire, true), text);
    }

    void decodeReadsPolishTextsAsCp852()
    {
        const QString wire = asReceived(PolishInCp852 + R"(\n\\)");
        QCOMPARE(SmsWireText::decode(wire, true), Polish + QStringLiteral("\r\n\\"));
        QCOMPARE(SmsWireText::decode(wire, false), asReceived(PolishInCp852) + QStringLiteral("\r\n\\"));
    }

    void encodeEscapesEveryKindOfLineBreak()
    {
        QCOMPARE(SmsWireText::encode(QStringLiteral("a\r\nb\nc\rd\\"), false), QStringLiteral(R"(a\nb\nc\nd\\)"));
        QCOMPARE(SmsWireText::encode(QStringLiteral("\r\r\n\n"), false), QStringLiteral(R"(\n\n\n)"));
        QCOMPARE(SmsWireText::encode(Polish, true), asReceived(PolishInCp852));
    }

    void roundTripKeepsEveryCp852Character_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::newRow("Polish") << true;
        QTest::newRow("other languages") << false;
    }

    void roundTripKeepsEveryCp852Character()
    {
        QFETCH(bool, polish);
        const QString text = allCp852Characters() + QStringLiteral("\r\n") + QStringLiteral(R"(\n\\)");
        QCOMPARE(SmsWireText::decode(SmsWireText::encode(text, polish), polish), text);
    }
};

QTEST_GUILESS_MAIN(TestSmsWireText)
#include "TestSmsWireText.moc"
