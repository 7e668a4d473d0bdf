#include "settings/IniFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile final : public QObject {
    Q_OBJECT

private slots:
    void readsAsTheWindowsProfileFunctionsDo()
    {
        const IniDocument document = IniDocument::parse(u"stray=before any section\r\n"
                                                        u"[Siec]\r\n"
                                                        u"  Serwer = pbx=1, \"two\"; three\r\n"
                                                        u"; Port=1\r\n"
                                                        u"junk line\r\n"
                                                        u"serwer=second\r\n"
                                                        u"[ siec ]\r\n"
                                                        u"Port=2\r\n"
                                                        u"[Empty]\r\n"
                                                        u"Key=");
        QCOMPARE(document.value(u"SIEC", u"serwer"), QStringLiteral(" pbx=1, \"two\"; three"));
        QVERIFY(!document.contains(u"Siec", u"Port"));
        QCOMPARE(document.value(u"Empty", u"Key"), QString());
        QVERIFY(document.value(u"Empty", u"Key").has_value());
        QVERIFY(!document.contains(u"", u"stray"));
    }

    void rewritingChangesOnlyTheValuesSet()
    {
        IniDocument document = IniDocument::parse(u"; settings\n[A]\nx=1\n; note\ny=2\n\n[B]\nz=3\n");
        document.setValue(QStringLiteral("a"), QStringLiteral("Y"), QStringLiteral("20"));
        document.setValue(QStringLiteral("A"), QStringLiteral("w"), QStringLiteral("new"));
        document.setValue(QStringLiteral("C"), QStringLiteral("v"), QStringLiteral("line\r\nbreak"));
        QCOMPARE(document.toText(),
                 QStringLiteral("; settings\n[A]\nx=1\n; note\ny=20\nw=new\n\n[B]\nz=3\n\n[C]\nv=line  break\n"));
        QCOMPARE(IniDocument::parse(document.toText()).toText(), document.toText());
    }

    void readsUtf8AndWindows1250()
    {
        QTemporaryDir dir;
        const QString utf8 = dir.filePath(QStringLiteral("utf8.ini"));
        const QString cp1250 = dir.filePath(QStringLiteral("cp1250.ini"));
        QVERIFY(writeFile(utf8, "\xEF\xBB\xBF[S]\nk=\xC5\x81\xC3\xB3\x64\xC5\xBA\n"));
        QVERIFY(writeFile(cp1250, "[S]\r\nk=\xA3\xF3\x64\x9F\r\n"));
        QCOMPARE(IniFile::read(utf8).document.value(u"S", u"k"), QStringLiteral("Łódź"));
        QCOMPARE(IniFile::read(cp1250).document.value(u"S", u"k"), QStringLiteral("Łódź"));
        QCOMPARE(IniFile::read(dir.filePath(QStringLiteral("none.ini"))).status, IniFile::ReadStatus::Missing);
    }

    void interruptedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tervo.ini"));
        QVERIFY(writeFile(path, "[S]\nk=old\n"));
        IniDocument document;
        document.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new"));

        struct Crash {};
        QVERIFY_THROWS_EXCEPTION(Crash, IniFile::write(path, document, [] { throw Crash(); }));
        QCOMPARE(readFile(path), QByteArray("[S]\nk=old\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("tervo.ini")});

        QVERIFY(IniFile::write(path, document).isEmpty());
        QCOMPARE(readFile(path), QByteArray("[S]\nk=new\n"));
        QVERIFY(isOwnerOnly(path));
    }

    void failedWriteIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing-folder/tervo.ini"));
        QVERIFY(!IniFile::write(path, IniDocument()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "TestIniFile.moc"
