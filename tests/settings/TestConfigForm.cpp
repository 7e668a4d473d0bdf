// The configuration dialog on the offscreen platform, over a real settings file: its buttons, its checks and
// messages, every control's option through save and load, the exchange's switches, and its pictures.
#include "FakeSecretVault.h"
#include "settings/ConfigBindings.h"
#include "settings/Lang.h"
#include "settings/SecretKeyring.h"
#include "settings/SecretScrambler.h"
#include "settings/SettingsError.h"
#include "settings/SettingsStore.h"
#include "settings/ui/ControlValues.h"
#include "settings/ui/ServerAddressEdit.h"
#include "settings/ui/TConfigForm.h"
#include "support/RenderFolder.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A client's settings in a folder of their own, the dialog over them, and what the dialog said and did.
class Harness {
public:
    explicit Harness(const QByteArray& ini = "[Siec]\nSerwer=127.0.0.1\n")
        : m_paths(m_root.filePath(QStringLiteral("bin/tervo")),
                  UserFolders{m_root.filePath(QStringLiteral("config")), m_root.filePath(QStringLiteral("data")),
                              m_root.filePath(QStringLiteral("state"))})
    {
        writeFile(m_paths.settingsFile(), ini);
        store = std::make_unique<SettingsStore>(m_paths);
        store->load();
    }

    TConfigForm::Services services()
    {
        TConfigForm::Services services;
        SettingsSchema(m_paths.dataFolder()).applyDefaults(services.defaults);
        services.defaultRecordingsFolder = m_paths.dataFolder() + QStringLiteral("History/VoiceNotes");
        services.save = [this] {
            ++saves;
            store->save();
        };
        services.exchange.states = [this] {
            return exchange;
        };
        services.exchange.twoRingForwardingOnly = [this] {
            return twoRingsOnly;
        };
        services.exchange.setForwarding = [this](bool on) {
            calls << QStringLiteral("forwarding %1").arg(on);
        };
        services.exchange.setLock = [this](bool lock, const QString& pin) {
            calls << QStringLiteral("lock %1 %2").arg(lock).arg(pin);
        };
        services.exchange.setDoNotDisturb = [this](bool on) {
            calls << QStringLiteral("dnd %1").arg(on);
        };
        services.exchange.setAccountCode = [this](bool on, const QString& account, const QString&) {
            calls << QStringLiteral("account %1 %2").arg(on).arg(account);
        };
        services.exchange.reconnect = [this] {
            calls << QStringLiteral("reconnect");
        };
        services.followers.apply = [this](bool claim) {
            calls << QStringLiteral("followers %1").arg(claim);
            return SettingsFollowers::Outcome{};
        };
        services.actions.deleteHistory = [this] {
            calls << QStringLiteral("delete history");
            return true;
        };
        services.actions.runEfficiencyTest = [this] {
            calls << QStringLiteral("efficiency test");
            return efficiency;
        };
        services.actions.openGateComments = [this] {
            calls << QStringLiteral("gate comments");
        };
        services.actions.recordingDevices = [] {
            return QStringList{QStringLiteral("default"), QStringLiteral("Card 0")};
        };
        services.actions.recordingDevice = [this] {
            return device;
        };
        services.actions.setRecordingDevice = [this](int index) {
            device = index;
        };
        services.prompts.ask = [this](const QString& question) {
            messages << question;
            return answer;
        };
        services.prompts.inform = [this](const QString& text) {
            messages << text;
        };
        return services;
    }

    TConfigForm& form()
    {
        if (!m_form) {
            m_form = std::make_unique<TConfigForm>(store->record(), services());
        }
        return *m_form;
    }

    QByteArray fileBytes() const { return readFile(m_paths.settingsFile()); }
    std::unique_ptr<SettingsStore> reloaded() const
    {
        auto again = std::make_unique<SettingsStore>(m_paths);
        again->load();
        return again;
    }
    QString folder(const QString& name) const { return m_root.filePath(name); }

    template <typename Widget>
    Widget& control(const char* name)
    {
        return form().control<Widget>(QLatin1String(name));
    }

    std::unique_ptr<SettingsStore> store;
    ExchangeStates exchange;
    bool twoRingsOnly = false;
    bool answer = true;
    EfficiencyOutcome efficiency{EfficiencyOutcome::Verdict::TooSlow, {}};
    int device = 0;
    int saves = 0;
    QStringList messages;
    QStringList calls;

private:
    QTemporaryDir m_root;
    SettingsPaths m_paths;
    std::unique_ptr<TConfigForm> m_form;
};

// A value unlike the one the control shows, of the control's kind.
QVariant otherValue(QWidget& control, ConfigBinding::Kind kind)
{
    const QVariant shown = ControlValues::get(control, kind);
    switch (kind) {
    case ConfigBinding::Kind::Check:
        return !shown.toBool();
    case ConfigBinding::Kind::Text:
        // Four characters: PINs are kept as four.
        return shown.toString() == u"2718" ? QStringLiteral("2719") : QStringLiteral("2718");
    case ConfigBinding::Kind::Number:
        return shown.toInt() + 1;
    case ConfigBinding::Kind::Choice: {
        const auto* combo = qobject_cast<QComboBox*>(&control);
        const int count = combo != nullptr
                              ? combo->count()
                              : int(control.findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly).size());
        return (shown.toInt() + 1) % count;
    }
    }
    return {};
}

} // namespace

class TestConfigForm final : public QObject {
    Q_OBJECT

private slots:
    void init() { Lang::useLanguage(QStringLiteral("en")); }

    // OK with SMS on and no PIN: the general message and the missing PIN, in that order; the dialog stays open and
    // neither the record nor the file changes.
    void okWithIncompleteSmsStaysOpenAndSavesNothing()
    {
        Harness harness;
        const QByteArray before = harness.fileBytes();
        harness.form().open();
        harness.control<QCheckBox>("SMSBox").setChecked(true);
        harness.control<QComboBox>("SMSTranslationCBox").setCurrentIndex(3);
        harness.control<QLineEdit>("SMSPasswdEdit").clear();
        harness.control<QCheckBox>("ZoomBox").setChecked(true);
        harness.form().okButton().click();

        QCOMPARE(harness.messages, (QStringList{QStringLiteral("Short message service configuration is invalid."),
                                                QStringLiteral("SMS pin cannot be empty!")}));
        QVERIFY(harness.form().isVisible());
        QCOMPARE(harness.saves, 0);
        QVERIFY(!harness.store->record().Sms.SmsOn);
        QVERIFY(!harness.store->record().Zachowanie.Powiekszenie);
        QCOMPARE(harness.fileBytes(), before);
        // What was typed is still there to be put right.
        QVERIFY(harness.control<QCheckBox>("ZoomBox").isChecked());

        harness.messages.clear();
        harness.control<QLineEdit>("SMSPasswdEdit").setText(QStringLiteral("1234"));
        harness.form().okButton().click();
        QVERIFY(harness.messages.isEmpty());
        QVERIFY(!harness.form().isVisible());
        QCOMPARE(harness.saves, 1);
        QCOMPARE(harness.reloaded()->record().Sms.Translacja, QStringLiteral("003"));
    }

    // "&Default" changes the controls only: Cancel afterwards leaves the record and the file as they were, and
    // the next opening shows the settings again.
    void defaultThenCancelChangesNothing()
    {
        Harness harness("[Ogolne]\nSplash=0\nPytajEsc=0\n[Siec]\nSerwer=127.0.0.9\nTelNr=204\n[Historia]\nUsunPo=50\n");
        const QByteArray before = harness.fileBytes();
        const SettingsRecord record = harness.store->record();
        harness.form().open();
        harness.form().defaultButton().click();
        QVERIFY(harness.control<QCheckBox>("SplashBox").isChecked());
        QCOMPARE(harness.control<QSpinBox>("HisDelAftEdit").value(), 1000);
        QCOMPARE(harness.control<QLineEdit>("CustomPhoneNrEdit").text(), QString());
        harness.form().cancelButton().click();

        QVERIFY(!harness.form().isVisible());
        QCOMPARE(harness.fileBytes(), before);
        QCOMPARE(harness.saves, 0);
        QCOMPARE(harness.store->record().Historia.UsunPo, record.Historia.UsunPo);
        QCOMPARE(harness.store->record().Siec.TelNr, record.Siec.TelNr);
        QVERIFY(harness.calls.isEmpty());

        harness.form().open();
        QVERIFY(!harness.control<QCheckBox>("SplashBox").isChecked());
        QCOMPARE(harness.control<QSpinBox>("HisDelAftEdit").value(), 50);
    }

    // Apply puts the controls into the record and reconnects, keeps the port at 5524 whatever the file said, and
    // writes nothing; the dialog stays open.
    void applyKeepsThePortAndSavesNothing()
    {
        Harness harness("[Siec]\nSerwer=127.0.0.1\nPort=6000\n");
        QCOMPARE(harness.store->record().Siec.Port, 6000);
        const QByteArray before = harness.fileBytes();
        harness.form().open();
        harness.control<QLineEdit>("CustomPhoneNrEdit").setText(QStringLiteral("207"));
        harness.form().applyButton().click();
        QCOMPARE(harness.store->record().Siec.Port, 5524);
        QCOMPARE(harness.store->record().Siec.TelNr, QStringLiteral("207"));
        QCOMPARE(harness.calls, (QStringList{QStringLiteral("followers 0"), QStringLiteral("reconnect")}));
        harness.form().applyButton().click();
        QCOMPARE(harness.store->record().Siec.Port, 5524);
        QVERIFY(harness.form().isVisible());
        QCOMPARE(harness.saves, 0);
        QCOMPARE(harness.fileBytes(), before);

        // OK without a change to the connection does not reconnect.
        harness.calls.clear();
        harness.form().okButton().click();
        QCOMPARE(harness.calls, QStringList{QStringLiteral("followers 0")});
    }

    // Every control of every page takes a value other than its setting's; after OK a fresh load of the file
    // gives each control's value back. The speed-dial switch lives for the run only and is compared in memory.
    void everyControlRoundTripsItsKey()
    {
        Harness harness;
        TConfigForm& form = harness.form();
        form.open();
        const QString recordings = harness.folder(QStringLiteral("recordings"));
        const QString sound = harness.folder(QStringLiteral("ring.wav"));
        QVERIFY(writeFile(sound, "RIFF"));
        QHash<QString, QVariant> wanted;
        for (const ConfigBinding& binding : configBindings()) {
            QWidget* control = form.findChild<QWidget*>(binding.control);
            QVERIFY2(control != nullptr, qPrintable(binding.control));
            QVariant value = otherValue(*control, binding.kind);
            if (binding.control == u"VNoteDirEdit") {
                value = recordings;
            } else if (binding.control == u"CustomWaveEdit") {
                value = sound;
            }
            ControlValues::set(*control, binding.kind, value);
            wanted.insert(binding.control, ControlValues::get(*control, binding.kind));
        }
        QCOMPARE(wanted.value(QStringLiteral("VNoteUseBox")).toBool(), true);
        QCOMPARE(wanted.value(QStringLiteral("SMSBox")).toBool(), true);
        harness.control<QComboBox>("VNoteRecDevice").setCurrentIndex(1);
        form.okButton().click();
        QCOMPARE(harness.messages, QStringList());
        QCOMPARE(harness.saves, 1);
        QCOMPARE(harness.device, 1);

        const std::unique_ptr<SettingsStore> reloaded = harness.reloaded();
        for (const ConfigBinding& binding : configBindings()) {
            const SettingsRecord& record =
                binding.control == u"SpeedDialBox" ? harness.store->record() : reloaded->record();
            QVERIFY2(binding.read(record) == wanted.value(binding.control),
                     qPrintable(binding.control + QStringLiteral(": ") + binding.read(record).toString() +
                                QStringLiteral(" != ") + wanted.value(binding.control).toString()));
        }
        QVERIFY(!reloaded->record().SpeedDialConversion);
    }

    // A gate id beyond the list, or no number at all, survives "&OK" as it was stored.
    void unlistedGateIdsSurviveOk()
    {
        for (const char* stored : {"70", "g7"}) {
            Harness harness("[Siec]\nSerwer=127.0.0.1\n[Sms]\nTranslacja=" + QByteArray(stored) + "\n");
            const QString loaded = harness.store->record().Sms.Translacja; // "070", "0g7"
            harness.form().open();
            harness.form().okButton().click();
            QCOMPARE(harness.reloaded()->record().Sms.Translacja, loaded);
        }
    }

    // The exchange that forwards only after two rings for all calls: another forwarding is turned into that one,
    // with the message, shown in the controls and saved.
    void forwardingIsBroughtToWhatTheExchangeCanDo()
    {
        Harness harness;
        harness.twoRingsOnly = true;
        harness.form().open();
        ControlValues::set(harness.control<QGroupBox>("PutTRadio"), ConfigBinding::Kind::Choice, 2);
        ControlValues::set(harness.control<QGroupBox>("PutTCallRadio"), ConfigBinding::Kind::Choice, 1);
        harness.control<QSpinBox>("SecondsEdit").setValue(5);
        harness.form().okButton().click();
        QCOMPARE(harness.messages,
                 QStringList{QStringLiteral(
                     "The Vexa PABX can forward calls only if they weren't picked after two ringings.")});
        QCOMPARE(ControlValues::get(harness.control<QGroupBox>("PutTRadio"), ConfigBinding::Kind::Choice).toInt(), 1);
        QCOMPARE(harness.control<QSpinBox>("SecondsEdit").value(), 2);
        const std::unique_ptr<SettingsStore> reloaded = harness.reloaded();
        const SettingsRecord& saved = reloaded->record();
        QCOMPARE(saved.Przeniesienie.SposPrzen, 1);
        QCOMPARE(saved.Przeniesienie.IlDzwonk, 2);
        QCOMPARE(saved.Przeniesienie.SposWywol, 0);

        // Other exchanges forward as the user chose.
        Harness other;
        other.form().open();
        ControlValues::set(other.control<QGroupBox>("PutTRadio"), ConfigBinding::Kind::Choice, 2);
        other.form().okButton().click();
        QVERIFY(other.messages.isEmpty());
        QCOMPARE(other.reloaded()->record().Przeniesienie.SposPrzen, 2);
    }

    // The switches show the exchange's state when the dialog opens; only those the user changed are sent, after
    // the record (forwarding uses the new number), and Cancel sends nothing.
    void exchangeSwitchesShowAndChange()
    {
        Harness harness;
        harness.exchange = {false, true, false, true};
        harness.form().open();
        QVERIFY(!harness.control<QCheckBox>("PTBox").isChecked());
        QVERIFY(harness.control<QCheckBox>("LockBox").isChecked());
        QVERIFY(harness.control<QCheckBox>("AccOnBox").isChecked());
        harness.control<QCheckBox>("PTBox").setChecked(true);
        harness.control<QCheckBox>("DNDBox").setChecked(true);
        harness.form().cancelButton().click();
        QVERIFY(harness.calls.isEmpty());

        harness.form().open();
        QVERIFY(!harness.control<QCheckBox>("DNDBox").isChecked());
        harness.control<QCheckBox>("PTBox").setChecked(true);
        harness.control<QCheckBox>("AccOnBox").setChecked(false);
        // The PIN typed on the network page is the lock page's PIN, and the other way round.
        QTest::keyClicks(&harness.control<QLineEdit>("CustomKeyEdit"), QStringLiteral("9876"));
        QCOMPARE(harness.control<QLineEdit>("SecureNrEdit").text(), QStringLiteral("9876"));
        QTest::keyClick(&harness.control<QLineEdit>("SecureNrEdit"), Qt::Key_Backspace);
        harness.control<QCheckBox>("LockBox").setChecked(false);
        harness.form().applyButton().click();
        QCOMPARE(harness.calls, (QStringList{QStringLiteral("followers 0"), QStringLiteral("forwarding 1"),
                                             QStringLiteral("lock 0 987"), QStringLiteral("account 0 "),
                                             QStringLiteral("reconnect")}));
        QCOMPARE(harness.store->record().Siec.Klucz, QStringLiteral("987"));
        // Applied again unchanged: the exchange hears nothing more.
        harness.calls.clear();
        harness.form().applyButton().click();
        QCOMPARE(harness.calls, (QStringList{QStringLiteral("followers 0"), QStringLiteral("reconnect")}));
    }

    // The address parts: an incomplete address is refused with its text; a host name is kept while the parts stay
    // empty.
    void serverAddressField()
    {
        Harness harness("[Siec]\nSerwer=pbx.local\n");
        harness.form().open();
        auto& address = harness.control<ServerAddressEdit>("EditAddrIP");
        QVERIFY(address.part(0).text().isEmpty());
        harness.form().applyButton().click();
        QCOMPARE(harness.store->record().Siec.Serwer, QStringLiteral("pbx.local"));

        address.part(0).setText(QStringLiteral("127"));
        address.part(1).setText(QStringLiteral("0"));
        harness.form().okButton().click();
        QCOMPARE(harness.messages, QStringList{QStringLiteral("IP number (127.0..) is invalid.")});
        QVERIFY(harness.form().isVisible());
        QCOMPARE(harness.saves, 0);
        address.part(2).setText(QStringLiteral("0"));
        address.part(3).setText(QStringLiteral("2"));
        harness.form().okButton().click();
        QCOMPARE(harness.reloaded()->record().Siec.Serwer, QStringLiteral("127.0.0.2"));
    }

    // The actions of the pages: the efficiency test offered when recording is switched on (not off), its failure
    // told; the history deleted only after the question is answered OK; the gate comments opened.
    void pageActionsAskFirst()
    {
        Harness harness;
        harness.form().open();
        harness.answer = false;
        harness.control<QCheckBox>("VNoteUseBox").click();
        QCOMPARE(harness.messages.size(), 1);
        QVERIFY(harness.calls.isEmpty());
        harness.control<QCheckBox>("VNoteUseBox").click();
        QCOMPARE(harness.messages.size(), 1);
        harness.answer = true;
        harness.control<QCheckBox>("VNoteUseBox").click();
        QCOMPARE(harness.calls, QStringList{QStringLiteral("efficiency test")});
        QCOMPARE(harness.messages.last(),
                 QStringLiteral("Your system is not efficient enough to record compressed calls. Before call "
                                "recording activation, the efficency test of recording system is suggested."));

        // A test that could not record tells why; one that kept up says nothing.
        harness.control<QCheckBox>("VNoteUseBox").click();
        harness.efficiency = {EfficiencyOutcome::Verdict::NotRun, QStringLiteral("Sound device is busy.")};
        harness.control<QCheckBox>("VNoteUseBox").click();
        QCOMPARE(harness.messages.last(), QStringLiteral("Sound device is busy."));
        const qsizetype told = harness.messages.size();
        harness.efficiency = {EfficiencyOutcome::Verdict::KeptUp, {}};
        harness.control<QCheckBox>("VNoteUseBox").click();
        harness.control<QCheckBox>("VNoteUseBox").click();
        QCOMPARE(harness.messages.size(), told + 1); // only the offer

        harness.calls.clear();
        harness.messages.clear();
        harness.answer = false;
        harness.control<QPushButton>("DeleteHistoryButton").click();
        QCOMPARE(harness.messages,
                 QStringList{QStringLiteral("Delete all history content together with archived records?")});
        QVERIFY(harness.calls.isEmpty());
        harness.answer = true;
        harness.control<QPushButton>("DeleteHistoryButton").click();
        harness.control<QPushButton>("ButtonChangeComment").click();
        QCOMPARE(harness.calls, (QStringList{QStringLiteral("delete history"), QStringLiteral("gate comments")}));
        // Without an opener the button is off.
        QVERIFY(!harness.control<QPushButton>("SearchOptionsButton").isEnabled());
    }

    // The secrets move into the keyring with "&OK" only, and the setting follows the keyring's answer: the box
    // waits meanwhile and then shows where they are. A PIN typed in the same go reaches the keyring; the way back
    // puts it into the file again; an unreachable keyring leaves the secrets in the file; "&Default" leaves the
    // box alone.
    void keyringBoxMovesSecretsOnOk()
    {
        Harness harness("[Siec]\nSerwer=127.0.0.1\nZapiszKlucz=1\n");
        FakeSecretVault vault;
        QStringList reports;
        SecretKeyring keyring(*harness.store, vault, [&reports](const QString& report) { reports << report; });
        keyring.load();
        TConfigForm::Services services = harness.services();
        services.actions.keepSecretsInKeyring = [&keyring](bool on, std::function<void(bool)> done) {
            keyring.setEnabled(on, std::move(done));
        };
        TConfigForm form(harness.store->record(), services);
        auto& box = form.control<QCheckBox>(QStringLiteral("KeyringBox"));
        const QByteArray pinInFile = SecretScrambler::scramble(QStringLiteral("9876")).toUtf8();

        form.open();
        QVERIFY(!box.isChecked() && box.isEnabled());
        QTest::keyClicks(&form.control<QLineEdit>(QStringLiteral("CustomKeyEdit")), QStringLiteral("9876"));
        box.setChecked(true);
        form.applyButton().click();
        QCOMPARE(vault.pending(), 0);
        form.okButton().click();
        QCOMPARE(vault.pending(), 1);
        QVERIFY(!box.isEnabled());
        QVERIFY(!harness.store->record().Ogolne.Keyring);
        QVERIFY(harness.fileBytes().contains(pinInFile));
        vault.answer();
        QVERIFY(harness.store->record().Ogolne.Keyring);
        QVERIFY(!harness.fileBytes().contains(pinInFile));
        QVERIFY(vault.stored.has_value());
        QVERIFY(box.isChecked() && box.isEnabled());

        form.open();
        QVERIFY(box.isChecked());
        box.setChecked(false);
        form.okButton().click();
        QVERIFY(!harness.store->record().Ogolne.Keyring);
        QVERIFY(harness.fileBytes().contains(pinInFile));
        QVERIFY(!box.isChecked() && box.isEnabled());
        while (vault.pending() > 0) {
            vault.answer(); // the save's write, then the removal of the keyring's copy
        }
        QVERIFY(!vault.stored.has_value());

        form.open();
        box.setChecked(true);
        form.defaultButton().click();
        QVERIFY(box.isChecked());
        form.cancelButton().click();
        form.open();
        box.setChecked(true);
        form.okButton().click();
        vault.answer(false);
        QCOMPARE(reports.size(), 1);
        QVERIFY(!harness.store->record().Ogolne.Keyring);
        QVERIFY(harness.fileBytes().contains(pinInFile));
        QVERIFY(!box.isChecked() && box.isEnabled());
    }

    // The tree selects the pages; the SMS page shows the link's status in its colour and the gate's number.
    void treeAndSmsStatus()
    {
        Harness harness;
        TConfigForm& form = harness.form();
        form.openPage(QStringLiteral("SMSSheet"));
        QCOMPARE(form.pages().currentWidget()->objectName(), QStringLiteral("SMSSheet"));
        QTest::keyClick(&form.tree(), Qt::Key_Down);
        QCOMPARE(form.pages().currentWidget()->objectName(), QStringLiteral("EventsSheet"));
        form.showSmsStatus(QStringLiteral("Connected to server"), 0x008000);
        form.showGateNumber(QStringLiteral("+48600100200"));
        QCOMPARE(harness.control<QLabel>("SmsStatusLabel").text(), QStringLiteral("Connected to server"));
        QVERIFY(harness.control<QLabel>("SmsStatusLabel").styleSheet().contains(u"#008000"));
        QCOMPARE(harness.control<QLabel>("SmsNumberLabel").text(), QStringLiteral("+48600100200"));
    }

    // A settings folder that cannot be written: the message, the dialog stays open.
    void saveFailureIsTold()
    {
        Harness harness;
        TConfigForm::Services services = harness.services();
        services.save = [] {
            throw SettingsError(QStringLiteral("Cannot create directory."));
        };
        TConfigForm form(harness.store->record(), services);
        form.open();
        form.okButton().click();
        QCOMPARE(harness.messages, QStringList{QStringLiteral("Cannot create directory.")});
        QVERIFY(form.isVisible());
    }

    // Three pages in Polish for the documentation.
    void rendersPagesInPolish()
    {
        Lang::useLanguage(QStringLiteral("pl"));
        Harness harness;
        TConfigForm& form = harness.form();
        form.resize(720, 560);
        form.showSmsStatus(Lang::_("Connected to server"), 0x008000);
        form.showGateNumber(QStringLiteral("600100200"));
        for (const char* page : {"BehaveSheet", "PTSheet", "SMSSheet"}) {
            form.openPage(QLatin1String(page));
            QVERIFY(form.grab().save(renderFolder() + QStringLiteral("/config-") + QString::fromLatin1(page).toLower() +
                                     QStringLiteral(".png")));
        }
        Lang::useLanguage(QStringLiteral("en"));
    }
};

QTEST_MAIN(TestConfigForm)
#include "TestConfigForm.moc"
