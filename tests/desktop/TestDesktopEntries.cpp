#include "desktop/AutostartEntry.h"
#include "desktop/DesktopEntryFile.h"
#include "desktop/MimeAppsList.h"
#include "desktop/SchemeHandlerEntry.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Program = QStringLiteral("/opt/Norvel Tervo/bin/tervo");
const QString Tel = QStringLiteral("x-scheme-handler/tel");

QString readText(const QString& path)
{
    return DesktopEntryFile::read(path);
}

// Sets a file's time back, so that a later write shows in it.
void ageFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
}

bool isAged(const QString& path)
{
    return QFileInfo(path).lastModified() < QDateTime::currentDateTime().addSecs(-3600);
}

} // namespace

// The desktop entries in a throwaway XDG folder: the link handler's entry and its default in mimeapps.list,
// written once and left alone while they agree, and the autostart entry following the setting.
class TestDesktopEntries final : public QObject {
    Q_OBJECT

private slots:
    void handlerEntryIsWrittenOnceAndMadeTheSchemesDefault()
    {
        QTemporaryDir home;
        const QString data = home.filePath(QStringLiteral("data"));
        const QString config = home.filePath(QStringLiteral("config"));
        QVERIFY(writeFile(config + QStringLiteral("/mimeapps.list"),
                          "[Added Associations]\ntext/plain=editor.desktop;\n\n[Default Applications]\n"
                          "x-scheme-handler/tel=softphone.desktop;\ntext/html=browser.desktop;\n"));
        SchemeHandlerEntry handler(Program, data, config);
        QVERIFY(handler.registerHandler(false));

        const QString entry = readText(handler.entryPath());
        QVERIFY(entry.contains(QStringLiteral("\nExec=\"/opt/Norvel Tervo/bin/tervo\" dial %u\n")));
        QVERIFY(entry.contains(
            QStringLiteral("\nMimeType=x-scheme-handler/tervop;x-scheme-handler/tel;x-scheme-handler/callto;\n")));
        QCOMPARE(handler.defaultFor(QStringLiteral("x-scheme-handler/tervop")), QStringLiteral("norvel-tervo.desktop"));
        // tel: stays with the program that had it until the user asks.
        QCOMPARE(handler.defaultFor(Tel), QStringLiteral("softphone.desktop"));
        const QString list = readText(config + QStringLiteral("/mimeapps.list"));
        QVERIFY(list.startsWith(QStringLiteral("[Added Associations]\ntext/plain=editor.desktop;\n")));
        QVERIFY(list.contains(QStringLiteral("text/html=browser.desktop;\nx-scheme-handler/tervop=norvel-tervo")));

        // The next start finds everything in place and writes nothing.
        ageFile(handler.entryPath());
        ageFile(config + QStringLiteral("/mimeapps.list"));
        QVERIFY(handler.registerHandler(false));
        QVERIFY(isAged(handler.entryPath()));
        QVERIFY(isAged(config + QStringLiteral("/mimeapps.list")));

        // Asked, it takes tel: and callto:, replacing the old default in its line.
        QVERIFY(handler.registerHandler(true));
        QCOMPARE(handler.defaultFor(Tel), QStringLiteral("norvel-tervo.desktop"));
        QCOMPARE(handler.defaultFor(QStringLiteral("x-scheme-handler/callto")), QStringLiteral("norvel-tervo.desktop"));
        QCOMPARE(readText(config + QStringLiteral("/mimeapps.list")).count(Tel + u'='), 1);

        // Another installation of the client moves the entry to its own executable.
        SchemeHandlerEntry other(QStringLiteral("/home/u/100% \"new\"/tervo"), data, config);
        QVERIFY(other.registerHandler(false));
        QVERIFY(
            readText(other.entryPath()).contains(QStringLiteral("Exec=\"/home/u/100%% \\\\\"new\\\\\"/tervo\" dial")));
    }

    void mimeAppsListEditsOnlyItsKey()
    {
        QCOMPARE(MimeAppsList::withDefault(QString(), Tel, QStringLiteral("a.desktop")),
                 QStringLiteral("[Default Applications]\nx-scheme-handler/tel=a.desktop;\n"));
        const QString other = QStringLiteral("[Added Associations]\nx-scheme-handler/tel=b.desktop;\n");
        const QString added = MimeAppsList::withDefault(other, Tel, QStringLiteral("a.desktop"));
        QCOMPARE(added, other + QStringLiteral("\n[Default Applications]\nx-scheme-handler/tel=a.desktop;\n"));
        QCOMPARE(MimeAppsList::defaultFor(other, Tel), QString());
        QCOMPARE(MimeAppsList::defaultFor(
                     QStringLiteral("[Default Applications]\n x-scheme-handler/tel = c.desktop;d;"), Tel),
                 QStringLiteral("c.desktop"));
    }

    void autostartEntryFollowsTheSetting()
    {
        QTemporaryDir home;
        AutostartEntry autostart(Program, home.path());
        QVERIFY(autostart.apply(false));
        QVERIFY(!QFile::exists(autostart.path()));
        QVERIFY(autostart.apply(true));
        QVERIFY(readText(autostart.path()).contains(QStringLiteral("\nExec=\"/opt/Norvel Tervo/bin/tervo\"\n")));
        ageFile(autostart.path());
        QVERIFY(autostart.apply(true));
        QVERIFY(isAged(autostart.path()));
        QVERIFY(autostart.apply(false));
        QVERIFY(!QFile::exists(autostart.path()));
    }

private:
    static bool writeFile(const QString& path, const QByteArray& text)
    {
        return DesktopEntryFile::writeIfDifferent(path, QString::fromUtf8(text)) == DesktopEntryFile::Outcome::Written;
    }
};

QTEST_GUILESS_MAIN(TestDesktopEntries)

#include "TestDesktopEntries.moc"
