#include "settings/SettingsStore.h"
#include "sms/ui/TChangeComment.h"
#include "sms/ui/TSetCommentAndPinGateForm.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

// The comments and PINs of the GSM gates: edited one gate at a time, kept in the settings by Apply and OK, the
// PIN hidden on the screen and scrambled in the file.
class TestGateDialogs final : public QObject {
    Q_OBJECT

private slots:
    void changedGateIsSavedWithItsPinScrambled()
    {
        QTemporaryDir root;
        SettingsStore store(
            SettingsPaths(root.filePath(QStringLiteral("bin/tervo")),
                          UserFolders{root.filePath(QStringLiteral("config")), root.filePath(QStringLiteral("data")),
                                      root.filePath(QStringLiteral("state"))}));
        store.load();
        TChangeComment dialog(store.record(), [&store] { store.save(); });
        QCOMPARE(dialog.grid().rowCount(), 99);
        QCOMPARE(dialog.grid().item(98, 0)->text(), QStringLiteral("99"));
        QVERIFY(dialog.changeData(0) == nullptr && dialog.changeData(100) == nullptr);

        TSetCommentAndPinGateForm* form = dialog.changeData(5);
        QVERIFY(form != nullptr);
        QCOMPARE(form->pinField().echoMode(), QLineEdit::Password);
        form->commentField().setText(QStringLiteral("Warehouse"));
        QTest::keyClicks(&form->pinField(), QStringLiteral("432198"));
        QCOMPARE(form->pin(), QStringLiteral("4321"));
        form->okButton().click();
        QCOMPARE(dialog.grid().item(4, 1)->text(), QStringLiteral("Warehouse"));
        // Nothing reaches the settings before Apply.
        QVERIFY(store.record().Gate.Pins[4].isEmpty());

        dialog.applyButton().click();
        QCOMPARE(store.record().Gate.Comments[4], QStringLiteral("Warehouse"));
        QCOMPARE(store.record().Gate.Pins[4], QStringLiteral("4321"));
        const QByteArray file = readFile(store.paths().settingsFile());
        QVERIFY(file.contains("GATE5=Warehouse"));
        QVERIFY(file.contains("PIN5="));
        QVERIFY(!file.contains("4321"));

        SettingsStore reread(store.paths());
        reread.load();
        QCOMPARE(reread.record().Gate.Pins[4], QStringLiteral("4321"));
    }

    void cancelledChangesAreForgotten()
    {
        SettingsRecord settings;
        settings.Gate.Comments[0] = QStringLiteral("Main");
        settings.Gate.Pins[0] = QStringLiteral("1111");
        int saves = 0;
        TChangeComment dialog(settings, [&saves] { ++saves; });
        QCOMPARE(dialog.grid().item(0, 1)->text(), QStringLiteral("Main"));
        TSetCommentAndPinGateForm* form = dialog.changeData(1);
        QCOMPARE(form->pin(), QStringLiteral("1111"));
        form->commentField().setText(QStringLiteral("Changed"));
        form->reject();
        QCOMPARE(dialog.grid().item(0, 1)->text(), QStringLiteral("Main"));
        dialog.changeData(1)->commentField().setText(QStringLiteral("Other"));
        dialog.cancelButton().click();
        QCOMPARE(settings.Gate.Comments[0], QStringLiteral("Main"));
        QCOMPARE(saves, 0);

        TChangeComment second(settings, [&saves] { ++saves; });
        second.okButton().click();
        QCOMPARE(saves, 1);
        QCOMPARE(second.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestGateDialogs)
#include "TestGateDialogs.moc"
