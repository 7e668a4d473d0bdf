#include "pbxlink/ui/LoginWindow.h"
#include "settings/SettingsRecord.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

struct LoginFixture {
    SettingsRecord settings;
    int saves = 0;
    LoginWindow window{settings, countSaves()};

    std::function<void()> countSaves()
    {
        return [this] {
            ++saves;
        };
    }

    QLineEdit* phone() const { return window.findChild<QLineEdit*>(QStringLiteral("CustomPhoneNrEdit")); }
    QLineEdit* pin() const { return window.findChild<QLineEdit*>(QStringLiteral("CustomKeyEdit")); }
    QCheckBox* savePin() const { return window.findChild<QCheckBox*>(QStringLiteral("SaveCustomKeyBox")); }
    QPushButton* ok() const { return window.findChild<QPushButton*>(QStringLiteral("OKButton")); }
};

} // namespace

class TestLoginWindow final : public QObject {
    Q_OBJECT

private slots:
    void showingFillsTheNumberAndFocusesWhatIsMissing()
    {
        LoginFixture login;
        login.settings.Siec.TelNr = QStringLiteral("214");
        login.settings.Siec.Klucz = QStringLiteral("9876");
        login.settings.Siec.ZapiszKlucz = true;
        login.window.show();
        QCOMPARE(login.phone()->text(), QStringLiteral("214"));
        QVERIFY(login.pin()->text().isEmpty());
        QVERIFY(!login.savePin()->isChecked());
        QCOMPARE(login.window.focusWidget(), login.pin());
        login.window.hide();

        login.settings.Siec.TelNr.clear();
        login.window.show();
        QVERIFY(login.phone()->text().isEmpty());
        QCOMPARE(login.window.focusWidget(), login.phone());
    }

    void okStoresTheEntriesAndSavesOncePerShowing()
    {
        LoginFixture login;
        QSignalSpy entered(&login.window, &LoginWindow::loginEntered);
        login.window.show();
        login.phone()->setText(QStringLiteral("215"));
        login.pin()->setText(QStringLiteral("1234"));
        login.savePin()->setChecked(true);
        QTest::mouseClick(login.ok(), Qt::LeftButton);

        QCOMPARE(login.settings.Siec.TelNr, QStringLiteral("215"));
        QCOMPARE(login.settings.Siec.Klucz, QStringLiteral("1234"));
        QCOMPARE(login.settings.WorkingPin, QStringLiteral("1234"));
        QVERIFY(login.settings.Siec.ZapiszKlucz);
        QCOMPARE(login.saves, 1);
        QCOMPARE(entered.size(), 1);

        // A second close of the same showing leaves the settings alone.
        login.settings.Siec.Klucz.clear();
        login.window.close();
        login.window.reject();
        QVERIFY(login.settings.Siec.Klucz.isEmpty());
        QCOMPARE(login.saves, 1);
        QCOMPARE(entered.size(), 1);

        // The next showing stores again, here through the title bar's close.
        login.window.show();
        login.pin()->setText(QStringLiteral("55"));
        QVERIFY(login.window.close());
        QCOMPARE(login.settings.WorkingPin, QStringLiteral("55"));
        QVERIFY(!login.settings.Siec.ZapiszKlucz);
        QCOMPARE(login.saves, 2);
        QCOMPARE(entered.size(), 2);
    }
};

QTEST_MAIN(TestLoginWindow)
#include "TestLoginWindow.moc"
