#include "pbxlink/ui/NetworkConsoleWindow.h"
#include "support/TestFiles.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

namespace {

QPushButton* button(const NetworkConsoleWindow& window, const char* name)
{
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

QColor lineColour(const NetworkConsoleWindow& window, int line)
{
    const QTextBlock block =
        window.findChild<QPlainTextEdit*>(QStringLiteral("ConsolRichEdit"))->document()->findBlockByNumber(line);
    return block.begin().fragment().charFormat().foreground().color();
}

} // namespace

class TestNetworkConsoleWindow final : public QObject {
    Q_OBJECT

private slots:
    void keepsTheNewestLinesInTheirColours()
    {
        NetworkConsoleWindow window;
        for (int i = 1; i <= 40; ++i) {
            window.write(QStringLiteral("line %1").arg(i), i == 40 ? ConsoleColour::Error : ConsoleColour::Received);
        }
        const QStringList lines = window.lines();
        QCOMPARE(lines.size(), NetworkConsoleWindow::MaxLines);
        QCOMPARE(lines.constFirst(), QStringLiteral("line 8"));
        QCOMPARE(lines.constLast(), QStringLiteral("line 40"));
        QCOMPARE(lineColour(window, 0), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(lineColour(window, 32), QColor(0xFF, 0x00, 0x00));
    }

    void clsEmptiesTheViewAndWritingStartsAfresh()
    {
        NetworkConsoleWindow window;
        window.write(QStringLiteral("first"), ConsoleColour::Sent);
        window.write(QString(), ConsoleColour::Sent);
        QCOMPARE(window.lines(), QStringList({QStringLiteral("first"), QString()}));

        QTest::mouseClick(button(window, "Button6"), Qt::LeftButton);
        QVERIFY(window.lines().isEmpty());

        window.write(QStringLiteral("again"), ConsoleColour::Note);
        QCOMPARE(window.lines(), QStringList{QStringLiteral("again")});
    }

    void onAndOffAskTheLinkToConnectAndDisconnect()
    {
        NetworkConsoleWindow window;
        QSignalSpy connects(&window, &NetworkConsoleWindow::connectRequested);
        QSignalSpy disconnects(&window, &NetworkConsoleWindow::disconnectRequested);
        QTest::mouseClick(button(window, "ConnOn"), Qt::LeftButton);
        QCOMPARE(connects.size(), 1);
        QCOMPARE(disconnects.size(), 0);
        QTest::mouseClick(button(window, "ConnOff"), Qt::LeftButton);
        QCOMPARE(connects.size(), 1);
        QCOMPARE(disconnects.size(), 1);
    }

    void saveLogCopiesTheNetworkLogToTheChosenFile()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("log/net.log"));
        const QString target = dir.filePath(QStringLiteral("copy.log"));
        QVERIFY(writeFile(log, "line 1\nline 2\n"));
        QVERIFY(writeFile(target, "an older copy that is longer than the log\n"));

        NetworkConsoleWindow window;
        window.setLogFilePath(log);
        int asked = 0;
        window.setSaveTargetChooser([&] {
            ++asked;
            return target;
        });
        QTest::mouseClick(button(window, "Button1"), Qt::LeftButton);
        QCOMPARE(asked, 1);
        QCOMPARE(readFile(target), QByteArray("line 1\nline 2\n"));

        // Without a log there is nothing to copy, and the earlier copy stays.
        window.setLogFilePath(dir.filePath(QStringLiteral("missing.log")));
        QTest::mouseClick(button(window, "Button1"), Qt::LeftButton);
        QCOMPARE(asked, 2);
        QCOMPARE(readFile(target), QByteArray("line 1\nline 2\n"));
    }
};

QTEST_MAIN(TestNetworkConsoleWindow)
#include "TestNetworkConsoleWindow.moc"
