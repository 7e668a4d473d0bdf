#include "desktop/x11/X11HotKey.h"
#include "support/VirtualDisplay.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <X11/Xlib.h>
#include <memory>

namespace {

std::unique_ptr<VirtualDisplay> display;

} // namespace

// The global hot key on an X server of the test's own, with keys sent by xdotool as another client.
class TestX11HotKey final : public QObject {
    Q_OBJECT

private slots:
    void keyValuesMapToXKeys()
    {
        QCOMPARE(HotKeyChoice::forValue(3)->keysym, 0x33UL);
        QVERIFY(HotKeyChoice::forValue(3)->controlAlt);
        QCOMPARE(HotKeyChoice::forValue(10)->keysym, 0xffaaUL);
        QCOMPARE(HotKeyChoice::forValue(11)->keysym, 0xff14UL);
        QVERIFY(!HotKeyChoice::forValue(11)->controlAlt);
        QCOMPARE(HotKeyChoice::forValue(12)->keysym, 0xff61UL);
        QCOMPARE(HotKeyChoice::forValue(17)->keysym, 0x61UL); // Windows key 65, "A"
        QVERIFY(!HotKeyChoice::forValue(13));                 // Windows key 61: no key
        QVERIFY(!HotKeyChoice::forValue(-1));
        QVERIFY(!HotKeyChoice::forValue(43));
    }

    void scrollLockAndControlAltThreeArePressedWithAnyLock()
    {
        if (!display) {
            QSKIP("Xvfb or xdotool is not installed");
        }
        X11HotKey hotKey;
        QSignalSpy pressed(&hotKey, &X11HotKey::pressed);
        QVERIFY(hotKey.grab(*HotKeyChoice::forValue(11)));
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("Scroll_Lock")}));
        QVERIFY(pressed.wait(5000));

        QVERIFY(hotKey.grab(*HotKeyChoice::forValue(3)));
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("3")}));
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+3")}));
        QVERIFY(pressed.wait(5000));
        QCOMPARE(pressed.size(), 2);
        // With Num Lock on the key still comes.
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}));
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+3")}));
        QVERIFY(pressed.wait(5000));
        QVERIFY(display->xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}));
        hotKey.release();
        QVERIFY(!hotKey.isGrabbed());
    }

    void keyHeldByAnotherClientIsNotGrabbed()
    {
        if (!display) {
            QSKIP("Xvfb or xdotool is not installed");
        }
        Display* other = XOpenDisplay(display->name().toLatin1().constData());
        QVERIFY(other != nullptr);
        const KeyCode scrollLock = XKeysymToKeycode(other, 0xff14);
        XGrabKey(other, scrollLock, 0, DefaultRootWindow(other), True, GrabModeAsync, GrabModeAsync);
        XSync(other, False);

        X11HotKey hotKey;
        QVERIFY(!hotKey.grab(*HotKeyChoice::forValue(11)));
        QVERIFY(!hotKey.isGrabbed());
        // Another key is still free.
        QVERIFY(hotKey.grab(*HotKeyChoice::forValue(12)));
        XCloseDisplay(other);
    }
};

// The application runs on the X server the test starts, so it is made here rather than by QTEST_MAIN.
int main(int argc, char** argv)
{
    display = std::make_unique<VirtualDisplay>();
    if (display->isRunning() && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        qputenv("DISPLAY", display->name().toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        display.reset();
    }
    int result = 0;
    {
        QGuiApplication application(argc, argv);
        TestX11HotKey test;
        result = QTest::qExec(&test, argc, argv);
    }
    display.reset();
    return result;
}

#include "TestX11HotKey.moc"
