#pragma once

#include "app/SmsBookNumbers.h"
#include "app/SmsComposeTestDriver.h"
#include "app/SmsGateTexts.h"
#include "app/SmsHistoryRows.h"
#include "app/SmsNewContact.h"
#include "sms/AlsaPlayback.h"
#include "sms/SmsHistoryWriter.h"
#include "sms/SmsNotification.h"
#include "sms/SmsReception.h"
#include "sms/TToSMS.h"
#include "sms/ui/SmsConsoleWindow.h"
#include "sms/ui/SmsWindowList.h"

#include <QTimer>

class SettingsStore;
class TdbCore;
class TMainForm;
class TelephoneWindowLogic;

// The link to the GSM gate beside the PBX link, wired to the SMS history, to the joining of incoming messages,
// to the SMS windows, and to the telephone window's new-message signal (the SMS tray icon and its sound, which
// repeats until the user clicks the icon or closes the message's window).
class SmsAssembly final {
public:
    SmsAssembly(SettingsStore& settings, TdbCore& books, TMainForm& form, TelephoneWindowLogic& window);

    TToSMS& gate() { return m_gate; }
    // The SMS button and menu item: a new compose window.
    void openCompose() { m_windows.openCompose(); }
    // A compose window addressed to a number (the book's and the history's "Send SMS", the history's "Answer").
    void openComposeTo(const QString& name, const QString& number) { m_windows.openCompose(name, number); }
    // The configuration's play button: the sound as the SMS page shows it now.
    void playSample(const SmsNotification::Choice& choice);
    // The menu item "SMS console".
    void showConsole();
    // The first connection attempt comes half a minute after the start, as the exchange's own link goes first.
    void start();
    // After new settings: the gate's link connects again (or stops) when what it logs in with changed.
    void followSettings();
    // Logs out, and keeps a message whose segments did not all come.
    void shutDown();

private:
    static int firstAttemptMs();
    void deliver(const ReceivedSms& message);
    void signalNewMessage(const ReceivedSms& message);

    const SettingsRecord& m_settings;
    TMainForm& m_form;
    TelephoneWindowLogic& m_window;
    SmsGateTexts m_texts;
    TToSMS m_gate;
    SmsHistoryRows m_rows;
    SmsBookNumbers m_bookNumbers;
    SmsNewContact m_newContact;
    SmsHistoryWriter m_history;
    SmsReception m_reception;
    SmsWindowList m_windows;
    SmsConsoleWindow m_console;
    AlsaPlayback m_playback;
    QTimer m_soundRepeat;
    SmsNotification m_sound;
    QStringList m_loginSettings;                        // as the link last connected with them
    std::unique_ptr<SmsComposeTestDriver> m_testDriver; // only in the end-to-end tests
};
