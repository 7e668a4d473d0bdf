#include "app/IdlePlugins.h"
#include "support/VirtualDisplay.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString binaryFolder(const char* below)
{
    return qEnvironmentVariable("TERVO_BINARY_DIR") + QLatin1String(below);
}

} // namespace

// The loader of the idle plug-ins: missing and wrong plug-ins told once each, stand-in plug-ins installed and
// reporting, and the real plug-ins seeing a pointer move on an X server of the test's own.
class TestIdlePlugins final : public QObject {
    Q_OBJECT

private slots:
    void missingPluginsAreToldOnce()
    {
        QTemporaryDir empty;
        QStringList shown;
        IdlePlugins plugins(empty.path() + u'/', [&shown](const QString& text) { shown.append(text); });
        QVERIFY(!plugins.loadHooks());
        QVERIFY(!plugins.loadHooks());
        QCOMPARE(shown, (QStringList{QStringLiteral("Error: MouseHook.so not found."),
                                     QStringLiteral("Error: KeyboardHook.so not found.")}));
        QVERIFY(plugins.removeHooks());
    }

    void standInPluginsInstallReportAndRefuse()
    {
        const QString folder = binaryFolder("/test-plugins/fake/");
        QStringList shown;
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QSignalSpy activity(&plugins, &IdlePlugins::activity);
            QVERIFY(plugins.loadHooks());
            QVERIFY(plugins.loadHooks()); // the second kind finds them installed
            QVERIFY(activity.wait(1000) || activity.size() > 0);
            QTRY_COMPARE(activity.size(), 2);
            QVERIFY(plugins.removeHooks());
            QVERIFY(!plugins.isInstalled());
        }
        QVERIFY(shown.isEmpty());

        qputenv("TERVO_FAKE_HOOK_REFUSE", "1");
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QVERIFY(!plugins.loadHooks());
            QVERIFY(!plugins.loadHooks());
        }
        qunsetenv("TERVO_FAKE_HOOK_REFUSE");
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.first().startsWith(QStringLiteral("Call forwarding is not active!")));

        shown.clear();
        qputenv("TERVO_FAKE_HOOK_NULL_RECORD", "1");
        {
            IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
            QVERIFY(!plugins.loadHooks());
        }
        qunsetenv("TERVO_FAKE_HOOK_NULL_RECORD");
        QCOMPARE(shown, (QStringList{QStringLiteral("Error: Improper version of MouseHook.so file."),
                                     QStringLiteral("Improper version of KeyboardHook.so file.")}));
    }

    void realPluginsSeeAPointerMove()
    {
        const QString folder = binaryFolder("/bin/plugin/");
        if (!QFileInfo::exists(folder + QStringLiteral("MouseHook.so"))) {
            QSKIP("the idle plug-ins were not built (no X11/XInput2 development files)");
        }
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
            QSKIP("xdotool is not installed");
        }
        VirtualDisplay display;
        if (!display.isRunning()) {
            QSKIP("Xvfb is not installed or did not start");
        }
        const QByteArray previous = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.name().toLatin1());
        QStringList shown;
        IdlePlugins plugins(folder, [&shown](const QString& text) { shown.append(text); });
        const bool loaded = plugins.loadHooks();
        qputenv("DISPLAY", previous);
        QVERIFY2(loaded, qPrintable(shown.join(u'\n')));

        QSignalSpy activity(&plugins, &IdlePlugins::activity);
        QTest::qWait(200);
        QCOMPARE(activity.size(), 0);
        // Moved as a mouse moves it: a warp of the pointer by a program (xdotool mousemove) is not the user's input
        // and makes no raw event.
        QVERIFY(display.xdotool({QStringLiteral("mousemove_relative"), QStringLiteral("30"), QStringLiteral("30")}));
        QVERIFY(activity.wait(5000));
        QVERIFY(plugins.removeHooks());
    }
};

QTEST_GUILESS_MAIN(TestIdlePlugins)

#include "TestIdlePlugins.moc"
