#pragma once

#include "pbxlink/calls/CallState.h"
#include "pbxlink/lifecycle/StatusLine.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "phone/CallerNaming.h"
#include "phone/NoticeText.h"
#include "phone/RedialList.h"
#include "phone/TelephoneLine.h"
#include "phone/TrayLook.h"
#include "phone/WindowBookPort.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class CallTimer;
class TelephoneView;
struct SettingsRecord;

// The telephone window's behaviour: its eighteen states, the call labels, the entry line, dialling, the redial
// list, the missed-call display and the tray icon's look. src/app connects what the PBX link tells to the methods
// below; the skinned window turns each user action into one call here and shows what it is told through
// TelephoneView.
class TelephoneWindowLogic final : public QObject {
    Q_OBJECT

public:
    static constexpr int RedialCapacity = 5;

    // The link's side: the line every user action goes to, the calls' state and the call timer.
    struct LinkParts {
        TelephoneLine& line;
        const CallState& calls;
        CallTimer& callTimer;
    };

    TelephoneWindowLogic(const SettingsRecord& settings, WindowBookPort& books, TelephoneView& view, LinkParts link,
                         QObject* parent = nullptr);

    // None until the link or the user sets the first state.
    std::optional<WindowState> state() const { return m_state; }
    void setState(WindowState state);

    // What the link tells of the connection.
    void setStatus(const StatusLine& status);
    // The two texts shown while the exchange is in service mode.
    void setUnavailableTexts(const QString& title, const QString& detail);
    void clearUnavailableTexts();
    void refreshIdleDisplay();
    void clearConnectionNote();
    // A request held back until the link is logged in (a number to dial from the command line).
    void runPendingStartupRequest();

    // What the link tells of the calls.
    void setHandsetLifted(bool lifted);
    void showConnectedNumber(const QString& number);
    // The digits dialled so far and the phone-book name of that number (empty when unknown).
    void showDialledDigits(const QString& digits, const QString& name);
    void showIncomingCall(const QString& caller, const QString& calledNumber, const QString& callerName);
    void showWaitingCall(const QString& caller, const QString& callerName);
    void showFeatureStatus(const FeatureStatus& status);
    void showRecordingIndicator();
    void showRecordingMessage();
    // Esc: ends what is going on as far as the state allows (also when the exchange refused a dialled number).
    void cancelCall();
    // Numbers the exchange connected after they were dialled (also on the desk phone).
    void addNumber(const QString& number) { m_redial.add(number); }

    // The user's actions.
    void dial();
    // The green key and Enter: answers a ringing call, otherwise dials the entry line.
    void confirm();
    void rejectCall();
    void returnToCall();
    void park();
    void flash();
    void conference();
    void callPickUp();
    void urgentCall();
    void maliciousCall();
    void toggleDoNotDisturb();
    // False (after telling the user) while the telephone is locked.
    bool accountAllowed();
    // The waiting caller, or the other party of the call when nobody waits.
    void showWaiting();
    void redialNext();
    void redialPrevious();
    void speaker();
    void setPhoneUp();
    void setPhoneDown();
    // Choose1Phone .. Choose5Phone: the number at position 1..5 of the entry being shown.
    void chooseNumber(int position);

    // The entry line after each key; a digit typed during a conversation is dialled instead (true: consumed).
    void entryEdited(const QString& text);
    bool keypadKey(QChar key);
    void paste(const QString& clipboard);
    // The entry line emptied by the user or another window: idle display, redial browsing ended.
    void clearEntry();

    // A number from another program, the command line or a second start: named from the books and placed in the
    // entry line; dialled at once when a book knows it or a call is under way.
    void placeNumber(const QString& number);
    // A number chosen in the phone book: placed in the entry line and dialled.
    void dialChosen(const QString& number);
    // Where a name typed or pasted into the entry line goes: the phone book window searching it. Without one the
    // name stays in the entry line.
    void setNameSearch(std::function<void(const QString& name)> search) { m_nameSearch = std::move(search); }
    // A number from the first start's command line, placed when the login has succeeded.
    void setPendingDial(const QString& number) { m_pendingDial = number; }
    const QString& pendingDial() const { return m_pendingDial; }

    void showNotice(const QString& text, const QString& hint, bool temporary);
    void setMissed(bool on);
    void tickCallTimer(int secondOfMinute);
    // The connecting animation ran its time.
    void connectingTimedOut();

    const QString& status() const { return m_status; }

    // As the program closes: lock, do-not-disturb and forwarding switched on as the settings ask.
    void applyClosingServices();

    bool loadRedialList(const QString& path);
    bool saveRedialList(const QString& path) { return m_redial.save(path); }

    QString entryText() const { return m_entry; }
    QString dialNumber() const { return m_dialNumber; }
    QString callNumber() const { return m_callNumber; }
    int missedCount() const { return m_missedCount; }
    bool missedPending() const { return m_missedPending; }
    bool numberReady() const { return m_numberReady; }
    bool redialBrowsing() const { return m_redialBrowsing; }
    const std::optional<ShownEntry>& shownEntry() const { return m_shownEntry; }
    const RedialList& redialList() const { return m_redial; }
    const NoticeText& notice() const { return m_notice; }
    const TrayLook& trayLook() const { return m_tray; }

signals:
    // The state the window ended in after each setState (CallEnded and IdleShow end in Idle, HandsetEvent in the
    // state before).
    void stateApplied(WindowState state);

private:
    void applyState(WindowState state);
    void applyIdle(bool readMissedCount);
    void applyTrayMode(TrayMode mode);
    void refreshTray();
    void showMissedCount();
    void setEntry(const QString& text);
    void showEntry(const ShownEntry& entry);
    void takeRedialNumber(const std::optional<QString>& number);
    void clearCallTexts();
    void restartCallTimer();

    const SettingsRecord& m_settings;
    TelephoneLine& m_line;
    const CallState& m_calls;
    CallTimer& m_callTimer;
    WindowBookPort& m_books;
    TelephoneView& m_view;
    CallerNaming m_naming;
    NoticeText m_notice;
    TrayLook m_tray;
    RedialList m_redial{RedialCapacity};

    std::optional<WindowState> m_state;
    QString m_entry;
    QString m_dialNumber;
    QString m_callerLabel;
    QString m_calledLabel;
    QString m_callNumber;
    QString m_status;
    QString m_pendingDial;
    std::optional<ShownEntry> m_shownEntry;
    std::function<void(const QString&)> m_nameSearch;
    int m_missedCount = 0;
    bool m_missedPending = false;
    bool m_redialBrowsing = false;
    bool m_offHookPending = false; // the handset was lifted through the program
    bool m_numberReady = false;
    bool m_callHeld = false;
    bool m_handsetLifted = false;
    bool m_timing = false; // the call timer counts
};
