#include "pbxlink/ui/ChooseServerDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

QListWidget* serverList(ChooseServerDialog& dialog)
{
    return dialog.findChild<QListWidget*>(QStringLiteral("ServerListBox"));
}

void clickOk(ChooseServerDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
}

const QList<DiscoveredServer> TwoServers{{QStringLiteral("10.0.0.1"), 5524}, {QStringLiteral("pbx.local"), 6000}};

} // namespace

class TestChooseServerDialog final : public QObject {
    Q_OBJECT

private slots:
    void choosingALineReportsItsServer()
    {
        ChooseServerDialog dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("TChooseServerForm"));
        dialog.setServers({{QStringLiteral("old"), 1}});
        dialog.setServers(TwoServers);
        dialog.show();
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(serverList(dialog)->count(), 2);
        QCOMPARE(serverList(dialog)->item(1)->text(), QStringLiteral("pbx.local"));

        QSignalSpy chosen(&dialog, &ChooseServerDialog::serverChosen);
        serverList(dialog)->setCurrentRow(1);
        dialog.findChild<QCheckBox*>(QStringLiteral("AlwaysAskCheckBox"))->setChecked(true);
        clickOk(dialog);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<DiscoveredServer>(), TwoServers.at(1));
        QCOMPARE(chosen.at(0).at(1).toBool(), true);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        // Shown again for a later search: on top again; a double-click chooses without the fixed server.
        dialog.findChild<QCheckBox*>(QStringLiteral("AlwaysAskCheckBox"))->setChecked(false);
        dialog.setServers(TwoServers);
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = serverList(dialog);
        const QPoint firstLine = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstLine);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, firstLine);
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.at(1).at(0).value<DiscoveredServer>(), TwoServers.at(0));
        QCOMPARE(chosen.at(1).at(1).toBool(), false);
        QVERIFY(!dialog.isVisible());
    }

    void okWithoutSelectionWarns()
    {
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Norvel TelefonTervo"));
        ChooseServerDialog dialog;
        dialog.setServers(TwoServers);
        dialog.show();
        QSignalSpy chosen(&dialog, &ChooseServerDialog::serverChosen);

        QString caption;
        QString text;
        bool onTop = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                caption = box->windowTitle();
                text = box->text();
                onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                box->close();
            }
        });
        closer.start(10);
        clickOk(dialog);
        closer.stop();

        QCOMPARE(caption, QStringLiteral("Norvel TelefonTervo"));
        QCOMPARE(text, QStringLiteral("No server to connect."));
        QVERIFY(onTop);
        QCOMPARE(chosen.size(), 0);
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(TestChooseServerDialog)
#include "TestChooseServerDialog.moc"
