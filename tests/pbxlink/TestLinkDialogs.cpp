#include "pbxlink/ui/ErrorInfoWindow.h"
#include "pbxlink/ui/LinkDialogs.h"
#include "pbxlink/ui/LoginWindow.h"
#include "settings/SettingsRecord.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QString messageText(const ErrorInfoWindow& window)
{
    return window.findChild<QLabel*>(QStringLiteral("MessageLabel"))->text();
}

} // namespace

class TestLinkDialogs final : public QObject {
    Q_OBJECT

private slots:
    void errorWindowCountsReportsUntilClosed()
    {
        ErrorInfoWindow window;
        window.show();
        window.report(QStringLiteral("Server not found"));
        window.report(QStringLiteral("Connection refused"));
        window.report(QStringLiteral("Connection refused"));
        QCOMPARE(window.reportCount(), 3);
        QVERIFY(messageText(window).startsWith(QStringLiteral("Connection refused\n")));
        QVERIFY(messageText(window).contains(QLatin1String("3")));

        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.reportCount(), 0);
        window.report(QStringLiteral("Timeout"));
        window.show();
        QCOMPARE(window.reportCount(), 1);
        QCOMPARE(messageText(window), QStringLiteral("Timeout"));
    }

    void networkErrorsShareOneWindow()
    {
        SettingsRecord settings;
        QWidget owner;
        const auto noSave = [] {
        };
        LinkDialogs dialogs(settings, noSave, &owner);
        QVERIFY(dialogs.errorInfoWindow() == nullptr);

        dialogs.showNetworkError(QStringLiteral("first"));
        ErrorInfoWindow* window = dialogs.errorInfoWindow();
        QVERIFY(window != nullptr);
        dialogs.showNetworkError(QStringLiteral("second"));
        dialogs.showNetworkError(QStringLiteral("third"));

        QCOMPARE(dialogs.errorInfoWindow(), window);
        QCOMPARE(owner.findChildren<ErrorInfoWindow*>().size(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window->reportCount(), 3);

        QSignalSpy configuration(&dialogs, &LinkDialogs::configurationRequested);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("ConfigurationButton")), Qt::LeftButton);
        QCOMPARE(configuration.size(), 1);
    }

    void loginAndConfigurationVisibility()
    {
        SettingsRecord settings;
        const auto noSave = [] {
        };
        LinkDialogs dialogs(settings, noSave);
        bool configurationOpen = false;
        dialogs.setConfigurationVisible([&configurationOpen] { return configurationOpen; });

        QSignalSpy entered(&dialogs, &LinkDialogs::loginEntered);
        dialogs.showLogin();
        LoginWindow* login = dialogs.loginWindow();
        QVERIFY(login != nullptr && login->isVisible());
        QVERIFY(dialogs.isLoginOrConfigurationVisible());
        dialogs.showLogin();
        QCOMPARE(dialogs.loginWindow(), login);

        login->close();
        QVERIFY(!dialogs.isLoginOrConfigurationVisible());
        QCOMPARE(entered.size(), 1);
        configurationOpen = true;
        QVERIFY(dialogs.isLoginOrConfigurationVisible());
    }
};

QTEST_MAIN(TestLinkDialogs)
#include "TestLinkDialogs.moc"
