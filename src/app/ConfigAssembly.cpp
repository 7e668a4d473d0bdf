#include "app/ConfigAssembly.h"

#include "app/BookWindowsAssembly.h"
#include "app/DesktopAssembly.h"
#include "app/HotKeyAssembly.h"
#include "app/IdleAssembly.h"
#include "app/KeyringAssembly.h"
#include "app/RecordingAssembly.h"
#include "app/SmsAssembly.h"
#include "books/database/TdbCore.h"
#include "pbxlink/lifecycle/TToPBX.h"
#include "pbxlink/ui/LinkDialogs.h"
#include "recording/RecordingStorage.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "sms/TToSMS.h"
#include "sms/ui/TChangeComment.h"

ConfigAssembly::ConfigAssembly(SettingsStore& settings, ExchangePort exchange, SettingsFollowers followers,
                               ConfigActions actions, TConfigForm::Prompts prompts)
    : m_settings(settings)
{
    SettingsSchema(settings.paths().dataFolder()).applyDefaults(m_services.defaults);
    m_services.defaultRecordingsFolder = RecordingStorage::defaultFolderIn(settings.paths().dataFolder());
    m_services.save = [&settings] {
        settings.save();
    };
    m_services.exchange = std::move(exchange);
    m_services.followers = std::move(followers);
    m_services.actions = std::move(actions);
    m_services.actions.openGateComments = [this] {
        openGateComments();
    };
    m_services.prompts = std::move(prompts);
}

ConfigAssembly::~ConfigAssembly()
{
    if (m_linkDialogs != nullptr) {
        m_linkDialogs->setConfigurationVisible({});
    }
}

void ConfigAssembly::open()
{
    form().open();
}

void ConfigAssembly::openGateComments()
{
    if (!m_gateComments) {
        m_gateComments = std::make_unique<TChangeComment>(m_settings.record(), m_services.save, m_form.get());
    }
    m_gateComments->show();
    m_gateComments->raise();
    m_gateComments->activateWindow();
}

TConfigForm& ConfigAssembly::form()
{
    if (!m_form) {
        m_form = std::make_unique<TConfigForm>(m_settings.record(), m_services);
        m_form->showLinkStatus(m_linkStatus, m_linkColour);
        m_form->showSmsStatus(m_smsStatus, m_smsColour);
        m_form->showGateNumber(m_gateNumber);
    }
    return *m_form;
}

void ConfigAssembly::followLinkStatus(const LinkNotices& notices)
{
    QObject::connect(&notices, &LinkNotices::statusChanged, &m_connections, [this](const StatusLine& status) {
        m_linkStatus = status.text;
        m_linkColour = status.colour;
        if (m_form) {
            m_form->showLinkStatus(status.text, status.colour);
        }
    });
}

void ConfigAssembly::followSmsStatus(TToSMS& gate)
{
    QObject::connect(&gate, &TToSMS::statusUpdated, &m_connections, [this](const QString& text, GateColour colour) {
        m_smsStatus = text;
        m_smsColour = static_cast<unsigned>(colour);
        if (m_form) {
            m_form->showSmsStatus(text, m_smsColour);
        }
    });
    QObject::connect(&gate, &TToSMS::gateNumberShown, &m_connections, [this](const QString& number) {
        m_gateNumber = number;
        if (m_form) {
            m_form->showGateNumber(number);
        }
    });
}

void ConfigAssembly::followLinkDialogs(LinkDialogs& dialogs)
{
    QObject::connect(&dialogs, &LinkDialogs::configurationRequested, &m_connections, [this] { open(); });
    QObject::connect(&dialogs, &LinkDialogs::serverConfigurationRequested, &m_connections,
                     [this] { form().openPage(QStringLiteral("NetSheet")); });
    dialogs.setConfigurationVisible([this] { return m_form && m_form->isVisible(); });
    m_linkDialogs = &dialogs;
}

ExchangePort ConfigAssembly::exchangeOf(TToPBX& link)
{
    ExchangePort port;
    port.states = [&link] {
        const FeatureStatus& features = link.callState().features;
        return ExchangeStates{features.forwarding, features.locked, features.doNotDisturb, features.accountCode};
    };
    port.twoRingForwardingOnly = [&link] {
        return link.lifecycle().pbxType().compare(QStringLiteral("Vexa"), Qt::CaseInsensitive) == 0;
    };
    port.setForwarding = [&link](bool on) {
        link.services().setForwarding(on);
    };
    port.setLock = [&link](bool lock, const QString& pin) {
        link.services().setLock(lock, pin);
    };
    port.setDoNotDisturb = [&link](bool on) {
        link.services().setDoNotDisturb(on);
    };
    port.setAccountCode = [&link](bool on, const QString& account, const QString& pin) {
        if (on) {
            link.services().accountOn(account, pin);
        } else {
            link.services().accountOff();
        }
    };
    port.reconnect = [&link] {
        link.start();
    };
    return port;
}

SettingsFollowers ConfigAssembly::followersOf(HotKeyAssembly& hotKey, IdleAssembly& idle, DesktopAssembly& desktop,
                                              SmsAssembly& sms)
{
    SettingsFollowers followers;
    followers.apply = [&hotKey, &idle, &desktop, &sms](bool claimTelLinks) {
        hotKey.apply();
        desktop.applySettings(claimTelLinks);
        sms.followSettings();
        return SettingsFollowers::Outcome{idle.detection().applySetting(IdleDetection::Kind::Forwarding),
                                          idle.detection().applySetting(IdleDetection::Kind::DoNotDisturb)};
    };
    return followers;
}

// The device list of one showing of the dialog: the index chosen is read against the list the user saw, even
// when a card came or went since.
void ConfigAssembly::addRecordingActions(ConfigActions& actions, RecordingAssembly& recording)
{
    auto shown = std::make_shared<std::optional<RecordingDeviceChoice>>();
    actions.recordingDevices = [&recording, shown] {
        shown->emplace(recording.deviceChoice());
        return (*shown)->entries();
    };
    actions.recordingDevice = [shown] {
        return shown->has_value() ? (*shown)->storedIndex() : 0;
    };
    actions.setRecordingDevice = [&recording, shown](int index) {
        if (shown->has_value()) {
            recording.chooseDevice((*shown)->cardIdAt(index));
        }
    };
    actions.runEfficiencyTest = [&recording] {
        const RecordingTest::Efficiency measured = recording.measureEfficiency();
        using Verdict = EfficiencyOutcome::Verdict;
        switch (measured.verdict) {
        case RecordingTest::Efficiency::Verdict::KeptUp:
            return EfficiencyOutcome{Verdict::KeptUp, {}};
        case RecordingTest::Efficiency::Verdict::TooSlow:
            return EfficiencyOutcome{Verdict::TooSlow, measured.problem};
        case RecordingTest::Efficiency::Verdict::NotRun:
            break;
        }
        return EfficiencyOutcome{Verdict::NotRun, RecordingTest::errorText(measured.problem)};
    };
}

ConfigActions ConfigAssembly::actionsOf(const ActionProviders& providers)
{
    ConfigActions actions;
    actions.deleteHistory = [&books = providers.books] {
        return books.clearHistoryAndArchive();
    };
    actions.openSearchOptions = [&bookWindows = providers.bookWindows] {
        bookWindows.contactWindows().openSearchOptions();
    };
    actions.openRecordingConfiguration = [&recording = providers.recording] {
        recording.openAudioConfiguration();
    };
    addRecordingActions(actions, providers.recording);
    actions.telLinksClaimed = [&desktop = providers.desktop] {
        return desktop.telLinksClaimed();
    };
    actions.keepSecretsInKeyring = [&keyring = providers.keyring](bool on, std::function<void(bool)> done) {
        keyring.setEnabled(on, std::move(done));
    };
    actions.playSmsSound = [&sms = providers.sms](int source, int wave, const QString& file) {
        sms.playSample({source, wave, file});
    };
    return actions;
}
