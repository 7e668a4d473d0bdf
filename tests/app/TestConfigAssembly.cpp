// The configuration dialog as the program wires it: opened by the menu and by the link's windows, followed by
// the rest of the program after Apply, and showing the link's status lines as they change, also those told
// before the dialog was first made.
#include "app/ConfigAssembly.h"
#include "app/RecordingAssembly.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/ui/LinkDialogs.h"
#include "settings/AudioRegistryStore.h"
#include "settings/SettingsStore.h"
#include "sms/ui/TChangeComment.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Settings in a throwaway folder and the assembly over them, with the followers and the exchange recorded.
struct ConfiguredClient {
    ConfiguredClient()
        : paths(root.filePath(u"bin/tervo"_s),
                UserFolders{root.filePath(u"config"_s), root.filePath(u"data"_s), root.filePath(u"state"_s)})
    {
        writeFile(paths.settingsFile(), "[Siec]\nSerwer=127.0.0.1\n");
        store = std::make_unique<SettingsStore>(paths);
        store->load();
        ExchangePort exchange;
        exchange.reconnect = [this] {
            calls << u"reconnect"_s;
        };
        SettingsFollowers followers;
        followers.apply = [this](bool) {
            calls << u"followers"_s;
            return outcome;
        };
        assembly = std::make_unique<ConfigAssembly>(*store, exchange, followers, ConfigActions{},
                                                    TConfigForm::Prompts{[this](const QString& question) {
                                                                             messages << question;
                                                                             return false;
                                                                         },
                                                                         [this](const QString& text) {
                                                                             messages << text;
                                                                         }});
    }

    QTemporaryDir root;
    SettingsPaths paths;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<ConfigAssembly> assembly;
    SettingsFollowers::Outcome outcome;
    QStringList calls;
    QStringList messages;
};

QString currentPage(TConfigForm& form)
{
    return form.pages().currentWidget()->objectName();
}

} // namespace

class TestConfigAssembly final : public QObject {
    Q_OBJECT

private slots:
    void theOpenerOpensOneDialogAndApplyIsFollowed()
    {
        ConfiguredClient client;
        const std::function<void()> opener = client.assembly->opener();
        opener();
        TConfigForm& form = client.assembly->form();
        QVERIFY(form.isVisible());
        opener();
        QCOMPARE(&client.assembly->form(), &form);

        client.outcome.idleDndArmed = false;
        form.applyButton().click();
        QCOMPARE(client.calls, (QStringList{u"followers"_s, u"reconnect"_s}));
        // A kind of idle switching that could not be armed is told, the other is not.
        QCOMPARE(client.messages.size(), 1);
        QVERIFY(client.messages.first().contains(u"DND"_s));
        QVERIFY(form.isVisible());
    }

    void theLinkWindowsOpenTheDialogAndSeeItOpen()
    {
        ConfiguredClient client;
        LinkDialogs dialogs(client.store->record(), [] {});
        client.assembly->followLinkDialogs(dialogs);
        QVERIFY(!dialogs.isLoginOrConfigurationVisible());
        emit dialogs.serverConfigurationRequested();
        TConfigForm& form = client.assembly->form();
        QVERIFY(form.isVisible());
        QCOMPARE(currentPage(form), u"NetSheet"_s);
        // The link shows no login window over the open dialog.
        QVERIFY(dialogs.isLoginOrConfigurationVisible());
        form.cancelButton().click();
        QVERIFY(!dialogs.isLoginOrConfigurationVisible());
        emit dialogs.configurationRequested();
        QVERIFY(form.isVisible());

        // The assembly gone, the link no longer asks it.
        client.assembly.reset();
        QVERIFY(!dialogs.isLoginOrConfigurationVisible());
        emit dialogs.configurationRequested();
    }

    void theLinkStatusShowsAlsoWhenToldBeforeTheDialogWasMade()
    {
        ConfiguredClient client;
        LinkNotices notices;
        client.assembly->followLinkStatus(notices);
        emit notices.statusChanged(StatusLine{u"Connecting server"_s, 0xFF0000});
        TConfigForm& form = client.assembly->form();
        const QLabel& status = form.control<QLabel>(u"ConnectionStatusLabel"_s);
        QCOMPARE(status.text(), u"Connecting server"_s);
        emit notices.statusChanged(StatusLine{u"Logged in"_s, 0x00FF00});
        QCOMPARE(status.text(), u"Logged in"_s);
        client.assembly.reset();
        emit notices.statusChanged(StatusLine{u"Disconnected"_s, 0});
    }

    // The recording device through the real recorder and its audio store: the index the dialog gives back is
    // read against the list it showed, and a stored card that is not plugged in stays stored.
    void theRecordingDeviceIsKeptInTheAudioStore()
    {
        ConfiguredClient client;
        AudioRegistryStore& registry = client.store->audioRegistry();
        registry.writeInteger(u"Record card id"_s, 7);
        RecordingAssembly recording(*client.store);
        ConfigActions actions;
        ConfigAssembly::addRecordingActions(actions, recording);

        const QStringList shown = actions.recordingDevices();
        QCOMPARE(shown.first(), u"System's default device"_s);
        QCOMPARE(shown.at(actions.recordingDevice()), u"Card 7 (not present)"_s);
        actions.setRecordingDevice(actions.recordingDevice());
        QCOMPARE(registry.readInteger(u"Record card id"_s, -2), 7);
        actions.setRecordingDevice(0);
        QCOMPARE(registry.readInteger(u"Record card id"_s, -2), -1);
        QCOMPARE(actions.recordingDevices().size(), shown.size() - 1);
    }

    void theGateCommentsOpenFromTheSmsPage()
    {
        ConfiguredClient client;
        client.assembly->open();
        TConfigForm& form = client.assembly->form();
        form.control<QPushButton>(u"ButtonChangeComment"_s).click();
        const QList<TChangeComment*> windows = form.findChildren<TChangeComment*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->isVisible());
        form.control<QPushButton>(u"ButtonChangeComment"_s).click();
        QCOMPARE(form.findChildren<TChangeComment*>().size(), 1);
    }
};

QTEST_MAIN(TestConfigAssembly)
#include "TestConfigAssembly.moc"
