#pragma once

#include "settings/ui/TConfigForm.h"

#include <QObject>
#include <functional>
#include <memory>

class BookWindowsAssembly;
class DesktopAssembly;
class HotKeyAssembly;
class IdleAssembly;
class KeyringAssembly;
class LinkDialogs;
class RecordingAssembly;
class TChangeComment;
class LinkNotices;
class SettingsStore;
class SmsAssembly;
class TToPBX;
class TToSMS;
class TdbCore;

// The configuration dialog wired into the program: its exchange switches go to the PBX link's services, what it
// applies is followed by the hot key, the idle times and the desktop entries, and the links' status lines are
// shown on its pages as they change. The dialog is made on the first opening.
class ConfigAssembly final {
public:
    // The GSM gates' comment window the dialog opens is this assembly's own (actions.openGateComments is replaced).
    ConfigAssembly(SettingsStore& settings, ExchangePort exchange, SettingsFollowers followers, ConfigActions actions,
                   TConfigForm::Prompts prompts = {});
    ~ConfigAssembly();

    // The menu item, the book window's Configuration and the lock window's Configuration.
    void open();
    std::function<void()> opener()
    {
        return [this] {
            open();
        };
    }
    // Made at the first use.
    TConfigForm& form();

    // The PBX link's status line and the GSM gate's status and number, live on the dialog's pages.
    void followLinkStatus(const LinkNotices& notices);
    void followSmsStatus(TToSMS& gate);
    // The network error window's Configuration and an unknown server open the dialog (the latter on the network
    // page); the link shows no login window over an open dialog.
    void followLinkDialogs(LinkDialogs& dialogs);

    // The switches and commands of the PBX link's services; "Vexa" exchanges forward only after two rings.
    static ExchangePort exchangeOf(TToPBX& link);
    // After "Apply" or "OK": the hot key grabbed again, the idle times armed, the desktop entries rewritten, the
    // SMS link connected again when its login changed.
    static SettingsFollowers followersOf(HotKeyAssembly& hotKey, IdleAssembly& idle, DesktopAssembly& desktop,
                                         SmsAssembly& sms);
    // The parts of the program whose windows and commands the pages use.
    struct ActionProviders {
        TdbCore& books;
        BookWindowsAssembly& bookWindows;
        RecordingAssembly& recording;
        SmsAssembly& sms;
        const DesktopAssembly& desktop;
        KeyringAssembly& keyring;
    };
    // The history deleted (archived entries and their recordings too), the search options, the audio page, the
    // recording device and the efficiency test, the SMS sound, the keyring switch and whether tel: links open here.
    static ConfigActions actionsOf(const ActionProviders& providers);
    // The recording device choice and the efficiency test, from the recorder.
    static void addRecordingActions(ConfigActions& actions, RecordingAssembly& recording);

private:
    void openGateComments();

    SettingsStore& m_settings;
    QObject m_connections; // the links' signals reach this assembly only while it exists
    LinkDialogs* m_linkDialogs = nullptr;
    TConfigForm::Services m_services;
    std::unique_ptr<TConfigForm> m_form;
    std::unique_ptr<TChangeComment> m_gateComments;
    QString m_linkStatus;
    unsigned m_linkColour = 0;
    QString m_smsStatus;
    unsigned m_smsColour = 0;
    QString m_gateNumber;
};
