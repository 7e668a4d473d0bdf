#include "CallHarness.h"
#include "pbxlink/ui/ServiceDialogs.h"
#include "pbxlink/ui/TAccForm.h"
#include "pbxlink/ui/TFwdForm.h"
#include "pbxlink/ui/TLockForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QLineEdit* edit(const QWidget& form, const char* name)
{
    return form.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void click(const QWidget& form, const char* buttonName)
{
    QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(buttonName)), Qt::LeftButton);
}

// The way a user confirms by keyboard: Enter in the field, which the dialog turns into its default button.
void pressEnter(QLineEdit* field)
{
    QTest::keyClick(field, Qt::Key_Return);
}

// A PIN field holds four characters and shows none of them.
void verifyPinField(QLineEdit* field)
{
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    field->clear();
    QTest::keyClicks(field, QStringLiteral("123456"));
    QCOMPARE(field->text(), QStringLiteral("1234"));
}

struct LockCall {
    bool lock;
    QString pin;
};

} // namespace

class TestServiceDialogs final : public QObject {
    Q_OBJECT

private slots:
    void forwardingHandsOnTheTrimmedNumber_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("OK") << false;
        QTest::newRow("Enter") << true;
    }

    void forwardingHandsOnTheTrimmedNumber()
    {
        QFETCH(bool, byEnter);
        QStringList deflected;
        TFwdForm form([&](const QString& number) { deflected << number; });
        QCOMPARE(form.objectName(), QStringLiteral("TFwdForm"));
        form.show();
        QTest::keyClicks(edit(form, "FwdEdit"), QStringLiteral(" 0221 "));
        byEnter ? pressEnter(edit(form, "FwdEdit")) : click(form, "OKButton");

        QCOMPARE(deflected, QStringList{QStringLiteral("0221")});
        QVERIFY(edit(form, "FwdEdit")->text().isEmpty());
        QVERIFY(!form.isVisible());
    }

    void forwardingWithoutANumberDoesNothing()
    {
        int deflections = 0;
        TFwdForm form([&](const QString&) { ++deflections; });
        form.show();
        click(form, "OKButton");
        QTest::keyClicks(edit(form, "FwdEdit"), QStringLiteral("   "));
        pressEnter(edit(form, "FwdEdit"));
        QCOMPARE(deflections, 0);
        QVERIFY(form.isVisible());
    }

    void lockFormLocksAnUnlockedPhoneAndUnlocksALockedOne_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("unlocked, OK") << false << false;
        QTest::newRow("locked, OK") << true << false;
        QTest::newRow("locked, Enter") << true << true;
    }

    void lockFormLocksAnUnlockedPhoneAndUnlocksALockedOne()
    {
        QFETCH(bool, locked);
        QFETCH(bool, byEnter);
        QList<LockCall> calls;
        int configurationOpened = 0;
        TLockForm form([&] { return locked; },
                       [&](bool lock, const QString& pin) {
                           calls.append({lock, pin});
                       },
                       [&] { ++configurationOpened; });
        form.show();
        QLineEdit* pin = edit(form, "LockNrEdit");
        verifyPinField(pin);
        byEnter ? pressEnter(pin) : click(form, "OKButton");

        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls.first().lock, !locked);
        QCOMPARE(calls.first().pin, QStringLiteral("1234"));
        QVERIFY(pin->text().isEmpty());
        QVERIFY(!form.isVisible());
        QCOMPARE(configurationOpened, 0);
    }

    void lockFormOpensTheConfigurationWithoutApplying()
    {
        int applied = 0;
        int configurationOpened = 0;
        TLockForm form([] { return false; }, [&](bool, const QString&) { ++applied; }, [&] { ++configurationOpened; });
        form.show();
        click(form, "ConfigurationButton");
        QCOMPARE(configurationOpened, 1);
        QCOMPARE(applied, 0);
    }

    void accountFormHandsOnAccountAndPin_data() { forwardingHandsOnTheTrimmedNumber_data(); }

    void accountFormHandsOnAccountAndPin()
    {
        QFETCH(bool, byEnter);
        QStringList calls;
        TAccForm form([&](const QString& account, const QString& pin) { calls << account + u'/' + pin; });
        form.show();
        QTest::keyClicks(edit(form, "AccNrEdit"), QStringLiteral("77"));
        verifyPinField(edit(form, "AccKeyEdit"));
        byEnter ? pressEnter(edit(form, "AccKeyEdit")) : click(form, "OKButton");

        QCOMPARE(calls, QStringList{QStringLiteral("77/1234")});
        QVERIFY(edit(form, "AccKeyEdit")->text().isEmpty());
        QVERIFY(!form.isVisible());
    }

    void lockUsesTheStoredPinOrAsksForOne()
    {
        CallHarness link;
        link.settings.Ogolne.ZapiszKlucz = true;
        link.settings.Siec.Klucz = QStringLiteral("4321");
        ServiceDialogs dialogs(link.settings, link.calls.services(), link.calls.state(), {});
        dialogs.lockOrUnlock();
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aSTAT 21__ h f d L a p r "));
        dialogs.lockOrUnlock();
        link.receive(QStringLiteral("aOK"));
        link.receive(QStringLiteral("aSTAT 21__ h f d l a p r "));
        QCOMPARE(link.takeCommands(),
                 (QStringList{QStringLiteral("aLOCK 21__ T 4321"), QStringLiteral("aLOCK 21__ F 4321")}));

        link.settings.Ogolne.ZapiszKlucz = false;
        dialogs.lockOrUnlock();
        auto* form = findForm<TLockForm>();
        QVERIFY(form != nullptr && form->isVisible());
        QTest::keyClicks(edit(*form, "LockNrEdit"), QStringLiteral("77"));
        click(*form, "OKButton");
        QCOMPARE(link.takeCommands(), QStringList{QStringLiteral("aLOCK 21__ T 77__")});
    }

    void forwardingAndAccountWindowsReachTheServices()
    {
        CallHarness link;
        ServiceDialogs dialogs(link.settings, link.calls.services(), link.calls.state(), {});
        link.receive(QStringLiteral("aRING 21__ 600 0 21"));
        dialogs.forwardRingingCall();
        auto* forwarding = findForm<TFwdForm>();
        QVERIFY(forwarding != nullptr);
        QTest::keyClicks(edit(*forwarding, "FwdEdit"), QStringLiteral("22"));
        pressEnter(edit(*forwarding, "FwdEdit"));
        link.receive(QStringLiteral("aOK"));
        dialogs.registerAccount();
        auto* account = findForm<TAccForm>();
        QVERIFY(account != nullptr);
        QTest::keyClicks(edit(*account, "AccNrEdit"), QStringLiteral("5"));
        QTest::keyClicks(edit(*account, "AccKeyEdit"), QStringLiteral("99"));
        click(*account, "OKButton");
        QCOMPARE(link.takeCommands(),
                 (QStringList{QStringLiteral("aREJ 21__ 22"), QStringLiteral("aACC 21__ T 5___ 99")}));
    }

private:
    template <typename Form>
    static Form* findForm()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form*>(widget); form != nullptr && form->isVisible()) {
                return form;
            }
        }
        return nullptr;
    }
};

QTEST_MAIN(TestServiceDialogs)
#include "TestServiceDialogs.moc"
