#include "phone/TelephoneWindowLogic.h"

#include "pbxlink/calls/CallState.h"
#include "pbxlink/calls/CallTimer.h"
#include "pbxlink/calls/CallerId.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "phone/DialTarget.h"
#include "phone/EntryText.h"
#include "phone/TelephoneView.h"
#include "phone/WindowStateTable.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

namespace {

bool isConversationState(std::optional<WindowState> state)
{
    return state == WindowState::OutgoingConnected || state == WindowState::IncomingConnected ||
           state == WindowState::Resumed;
}

// The tray's hint while nothing else is to be said: the application's title in the user's language.
QString trayTitle()
{
    return Lang::_("Norvel TelephoneTervo");
}

bool isDialKey(QChar key)
{
    return key.isDigit() || key == u'*' || key == u'#';
}

} // namespace

TelephoneWindowLogic::TelephoneWindowLogic(const SettingsRecord& settings, WindowBookPort& books, TelephoneView& view,
                                           LinkParts link, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_line(link.line)
    , m_calls(link.calls)
    , m_callTimer(link.callTimer)
    , m_books(books)
    , m_view(view)
    , m_naming(settings, books)
{
    connect(&m_notice, &NoticeText::changed, this,
            [this](const QString& text, const QString& hint) { m_view.setShowText(text, hint); });
    // Until the link says more, the telephone shows no connection.
    applyTrayMode(TrayMode::NoConnection);
    m_view.setTrayHint(trayTitle());
}

void TelephoneWindowLogic::restartCallTimer()
{
    m_callTimer.start();
    m_timing = true;
}

void TelephoneWindowLogic::setState(WindowState state)
{
    const std::optional<WindowState> previous = m_state;
    m_state = state;
    if (static_cast<int>(state) < static_cast<int>(WindowState::Idle) ||
        static_cast<int>(state) > static_cast<int>(WindowState::Connecting)) {
        return; // past the table (only a cast makes one): stored, nothing else
    }
    if (state == WindowState::HandsetEvent) {
        // A transient event: the call timer restarts and the window keeps the look it had.
        m_view.setEnabledItems(WindowStateTable::enabledItems(state, false));
        if (m_settings.Zachowanie.OtwPodnSluch) {
            m_view.popUp();
        }
        restartCallTimer();
        applyState(previous.has_value() && *previous != WindowState::HandsetEvent ? *previous : WindowState::Idle);
    } else {
        applyState(state);
    }
    emit stateApplied(*m_state); // applyState has set it
}

void TelephoneWindowLogic::applyState(WindowState state)
{
    m_state = state;
    const bool mcidAllowed = m_calls.flags.wasRinging || m_calls.flags.connected;
    m_view.setEnabledItems(WindowStateTable::enabledItems(state, mcidAllowed));
    if (const std::optional<StateIcon> icon = WindowStateTable::icon(state)) {
        m_view.setStateIcon(*icon);
    }
    if (const std::optional<TrayMode> mode = WindowStateTable::trayMode(state)) {
        applyTrayMode(*mode);
    }
    switch (state) {
    case WindowState::Idle:
        applyIdle(true);
        break;
    case WindowState::IdleRefresh:
        applyIdle(false);
        break;
    case WindowState::IdleShow:
        applyState(WindowState::Idle);
        m_view.popUp();
        break;
    case WindowState::CallEnded:
        m_timing = false;
        applyState(WindowState::Idle);
        break;
    case WindowState::OffHook:
        m_numberReady = true;
        m_notice.show(m_handsetLifted || m_offHookPending ? Lang::_("Handset up")
                                                          : Lang::_("Handset up on analogue phone"),
                      QString(), false);
        if (m_settings.Zachowanie.OtwPodnSluch) {
            m_view.popUp();
        }
        break;
    case WindowState::Dialling:
        m_numberReady = true;
        break;
    case WindowState::Ringing:
        if (m_settings.Zachowanie.OtwDzwon) {
            m_view.popUp();
        }
        break;
    case WindowState::OutgoingConnected:
    case WindowState::IncomingConnected:
    case WindowState::Resumed:
        m_numberReady = true;
        if (!m_timing) {
            restartCallTimer();
        }
        break;
    case WindowState::Disconnected:
        clearCallTexts();
        m_view.setAreaText(Lang::_("No connection...(Ctrl+K)"));
        m_view.setTrayHint(Lang::_("No connection with Tervo Server"));
        m_view.setEntryReadOnly(false);
        break;
    case WindowState::Connecting:
        m_view.setAreaText(Lang::_("Connecting..."));
        break;
    default:
        break;
    }
}

void TelephoneWindowLogic::applyIdle(bool readMissedCount)
{
    m_state = WindowState::Idle;
    if (readMissedCount) {
        m_missedCount = m_books.unseenCalls();
    }
    showMissedCount();
    clearCallTexts();
    setEntry(QString());
    m_view.setEntryReadOnly(false);
    m_view.setRecording(false);
    m_view.setInfoText(m_status);
    m_offHookPending = false;
    m_numberReady = false;
    m_redialBrowsing = false;
    m_callHeld = false;
    m_timing = false;
    // The next call starts without the last one's charge.
    m_callTimer.setChargeText(QString());
    m_shownEntry.reset();
}

void TelephoneWindowLogic::clearCallTexts()
{
    m_dialNumber.clear();
    m_callerLabel.clear();
    m_calledLabel.clear();
    m_callNumber.clear();
    m_notice.show(QString(), QString(), false);
}

void TelephoneWindowLogic::showMissedCount()
{
    if (m_missedCount > 0 && m_settings.Historia.Stracone) {
        const QString count = QString::number(m_missedCount);
        m_view.setTrayHint(Lang::_("Number of missed calls:") + u' ' + count);
        m_view.setAreaText(Lang::_("Missed:") + u' ' + count);
    } else {
        m_view.setTrayHint(trayTitle());
        m_view.setAreaText(QString());
    }
}

void TelephoneWindowLogic::applyTrayMode(TrayMode mode)
{
    m_tray.setMode(mode);
    refreshTray();
}

void TelephoneWindowLogic::refreshTray()
{
    m_view.setTrayIcon(m_tray.list(), m_tray.index(), m_tray.animated());
}

void TelephoneWindowLogic::connectingTimedOut()
{
    m_tray.connectingTimedOut();
    refreshTray();
}

void TelephoneWindowLogic::setStatus(const StatusLine& status)
{
    m_status = status.text;
    if (!isConversationState(m_state)) {
        m_view.setInfoText(m_status);
    }
}

void TelephoneWindowLogic::setUnavailableTexts(const QString& title, const QString& detail)
{
    m_view.setAreaText(title);
    m_notice.show(detail, detail, false);
}

void TelephoneWindowLogic::clearUnavailableTexts()
{
    m_notice.show(QString(), QString(), false);
    showMissedCount();
}

void TelephoneWindowLogic::refreshIdleDisplay()
{
    if (m_state == WindowState::Idle) {
        showMissedCount();
    }
}

void TelephoneWindowLogic::clearConnectionNote()
{
    m_view.setAreaText(QString());
    showMissedCount();
}

void TelephoneWindowLogic::runPendingStartupRequest()
{
    if (m_pendingDial.isEmpty()) {
        return;
    }
    placeNumber(std::exchange(m_pendingDial, QString()));
}

void TelephoneWindowLogic::setHandsetLifted(bool lifted)
{
    m_handsetLifted = lifted;
}

void TelephoneWindowLogic::showConnectedNumber(const QString& number)
{
    const QString plain = CallerId::withoutFlashMark(number);
    if (plain.isEmpty()) {
        return;
    }
    // An answered call keeps the caller's label; a new party is named afresh.
    if (plain != m_callNumber || m_callerLabel.isEmpty()) {
        m_callNumber = plain;
        const char* label = m_calls.flags.incoming ? QT_TR_NOOP("From:") : QT_TR_NOOP("To:");
        m_callerLabel = Lang::_(label) + u' ' + m_naming.party(plain);
    }
    m_notice.show(m_callerLabel, plain, false);
}

void TelephoneWindowLogic::showDialledDigits(const QString& digits, const QString& name)
{
    m_dialNumber = digits;
    m_callerLabel = m_naming.dialled(digits, name);
    m_notice.show(m_callerLabel, CallerId::withoutFlashMark(digits), false);
}

void TelephoneWindowLogic::showIncomingCall(const QString& caller, const QString& calledNumber,
                                            const QString& callerName)
{
    const CallerNaming::IncomingLabels labels = m_naming.incoming(caller, calledNumber, callerName);
    m_callNumber = labels.callerNumber;
    m_callerLabel = labels.text;
    m_calledLabel = labels.calledText;
    m_notice.show(labels.text, labels.hint, false);
    m_view.setTrayHint(labels.trayHint);
    if (!m_books.isOnline()) {
        m_view.setInfoText(Lang::_("phone book is offline"));
    } else {
        m_view.setInfoText(labels.calledText);
    }
}

void TelephoneWindowLogic::showWaitingCall(const QString& caller, const QString& callerName)
{
    const CallerNaming::IncomingLabels labels = m_naming.incoming(caller, QString(), callerName);
    // Announced for a while; the conversation's label comes back, and the waiting caller can be shown again.
    m_notice.show(Lang::_("Waiting:") + u' ' + labels.name, labels.hint, true);
    if (m_settings.Zachowanie.OtwDzwon) {
        m_view.popUp();
    }
}

void TelephoneWindowLogic::showFeatureStatus(const FeatureStatus& status)
{
    m_view.setFeatureFlags(status);
}

void TelephoneWindowLogic::showRecordingIndicator()
{
    m_view.setRecording(true);
}

void TelephoneWindowLogic::showRecordingMessage()
{
    m_view.setRecording(false);
}

void TelephoneWindowLogic::cancelCall()
{
    // Without a logged-in link there is nothing to end, and the services stay off.
    if (m_state == WindowState::Disconnected || m_state == WindowState::Connecting) {
        return;
    }
    if (m_callHeld) {
        m_callHeld = false;
        clearCallTexts();
        setState(WindowState::Resumed);
        return;
    }
    if (m_state == WindowState::Ringing) {
        m_line.reject();
        return;
    }
    if (isConversationState(m_state)) {
        if (!m_settings.Ogolne.PytajEsc || m_view.ask(Lang::_("Do you want to finish a current call?"))) {
            m_line.putDown();
        }
        return;
    }
    m_redial.resetCursor();
    setState(WindowState::Idle);
}

void TelephoneWindowLogic::dial()
{
    const QString number = EntryText::dialNumber(m_entry);
    if (number.isEmpty() || (m_state == WindowState::OutgoingConnected && number == m_callNumber)) {
        return;
    }
    // Taking the line now would answer the ringing call and dial into it later.
    if (m_calls.flags.ringing) {
        return;
    }
    m_shownEntry.reset();
    const bool sent = m_line.dialDigits(number);
    if (!m_redialBrowsing && sent) {
        m_redial.add(number);
    }
    m_redialBrowsing = false;
    m_redial.resetCursor();
    setEntry(QString());
}

void TelephoneWindowLogic::confirm()
{
    if (m_state == WindowState::Ringing) {
        m_line.answer();
        return;
    }
    dial();
}

void TelephoneWindowLogic::rejectCall()
{
    m_line.reject();
}

void TelephoneWindowLogic::returnToCall()
{
    if (m_line.returnToCall()) {
        m_callHeld = false;
        setState(WindowState::Resumed);
    }
}

void TelephoneWindowLogic::park()
{
    if (m_line.park()) {
        m_callHeld = isConversationState(m_state);
        showNotice(Lang::_("Park"), QString(), true);
    }
}

void TelephoneWindowLogic::flash()
{
    m_line.flash();
}

void TelephoneWindowLogic::conference()
{
    m_line.conference();
}

void TelephoneWindowLogic::callPickUp()
{
    if (m_line.callPickUp()) {
        showNotice(Lang::_("Pick up call"), QString(), true);
    }
}

void TelephoneWindowLogic::urgentCall()
{
    if (m_line.urgentCall()) {
        showNotice(Lang::_("Urgent calling"), QString(), true);
    }
}

void TelephoneWindowLogic::maliciousCall()
{
    m_line.maliciousCall();
}

void TelephoneWindowLogic::toggleDoNotDisturb()
{
    m_line.setDoNotDisturb(!m_calls.features.doNotDisturb);
}

bool TelephoneWindowLogic::accountAllowed()
{
    if (m_calls.features.locked) {
        m_view.inform(Lang::_("Account service is inactive during LOCK"));
        return false;
    }
    return true;
}

void TelephoneWindowLogic::showWaiting()
{
    const std::optional<WaitingCall>& waiting = m_calls.waitingCall;
    const QString number = waiting ? waiting->number : m_calls.record.otherParty;
    const QString party =
        waiting ? m_naming.incoming(number, QString(), waiting->callerName).name : m_naming.party(number);
    if (!party.isEmpty()) {
        showNotice(Lang::_("Waiting:") + u' ' + party, number, true);
    }
}

void TelephoneWindowLogic::redialNext()
{
    takeRedialNumber(m_redial.next());
}

void TelephoneWindowLogic::redialPrevious()
{
    takeRedialNumber(m_redial.prev());
}

void TelephoneWindowLogic::takeRedialNumber(const std::optional<QString>& number)
{
    if (!number || number->isEmpty()) {
        return;
    }
    m_redialBrowsing = true;
    setState(WindowState::RedialBrowse);
    if (const std::optional<ShownEntry> entry = m_books.entryForNumber(EntryText::dialDigits(*number))) {
        showEntry(*entry);
        return;
    }
    m_shownEntry.reset();
    setEntry(*number);
    m_notice.show(QString(), QString(), false);
    setState(WindowState::NumberReady);
}

void TelephoneWindowLogic::speaker()
{
    if (m_offHookPending) {
        setPhoneDown();
    } else if (m_state == WindowState::Ringing) {
        m_line.answer();
    } else {
        setPhoneUp();
    }
}

void TelephoneWindowLogic::setPhoneUp()
{
    m_offHookPending = true;
    if (EntryText::dialDigits(m_entry).isEmpty()) {
        m_line.answer();
    } else {
        dial();
    }
}

void TelephoneWindowLogic::setPhoneDown()
{
    m_offHookPending = false;
    m_line.putDown();
}

void TelephoneWindowLogic::showEntry(const ShownEntry& entry)
{
    m_shownEntry = entry;
    chooseNumber(entry.position);
}

void TelephoneWindowLogic::chooseNumber(int position)
{
    if (!m_shownEntry || position < 1 || position > static_cast<int>(m_shownEntry->numbers.size())) {
        return;
    }
    const QString& number = m_shownEntry->numbers[static_cast<std::size_t>(position - 1)];
    if (number.isEmpty()) {
        return;
    }
    m_shownEntry->position = position;
    m_dialNumber = number;
    setEntry(number);
    m_notice.show(m_shownEntry->name, m_shownEntry->description, false);
    m_view.setInfoText(CallerNaming::numberKind(position) + u' ' + number);
    m_numberReady = true;
    setState(WindowState::NumberEntry);
}

void TelephoneWindowLogic::entryEdited(const QString& text)
{
    m_entry = text;
    if (text.trimmed().isEmpty()) {
        clearEntry();
        return;
    }
    m_shownEntry.reset();
    // Without a link the window stays as it is: typing must not bring back the services.
    const bool canChangeState = m_state == WindowState::Idle || m_state == WindowState::NumberReady ||
                                m_state == WindowState::RedialBrowse || m_state == WindowState::NumberEntry ||
                                m_state == WindowState::IdleRefresh || m_state == WindowState::OffHook;
    if (EntryText::isNumber(text)) {
        const QString name = m_books.nameForNumber(EntryText::dialDigits(text));
        m_notice.show(name, name, false);
        if (canChangeState) {
            setState(WindowState::NumberReady);
        }
    } else if (m_nameSearch) {
        // A name is looked for in the phone book window, which takes the typing from here on.
        clearEntry();
        m_nameSearch(text.trimmed());
    } else if (canChangeState) {
        m_notice.show(QString(), QString(), false);
        setState(WindowState::NumberEntry);
    }
}

void TelephoneWindowLogic::dialChosen(const QString& number)
{
    setEntry(number);
    dial();
}

bool TelephoneWindowLogic::keypadKey(QChar key)
{
    if (!isConversationState(m_state) || !isDialKey(key)) {
        return false;
    }
    // The digit goes to the exchange as part of the conversation; the window keeps its look.
    const std::optional<WindowState> conversation = m_state;
    if (m_line.dialDigits(QString(key))) {
        showNotice(Lang::_("Dialing the number from keypad"), QString(key), true);
    }
    if (m_state != conversation) {
        setState(*conversation);
    }
    return true;
}

void TelephoneWindowLogic::paste(const QString& clipboard)
{
    const EntryText::Pasted pasted = EntryText::fromClipboard(clipboard);
    if (pasted.text.isEmpty()) {
        return;
    }
    setEntry(pasted.text);
    entryEdited(pasted.text);
}

void TelephoneWindowLogic::clearEntry()
{
    m_redialBrowsing = false;
    m_redial.resetCursor();
    m_shownEntry.reset();
    if (m_state == WindowState::NumberReady || m_state == WindowState::RedialBrowse ||
        m_state == WindowState::NumberEntry) {
        setState(WindowState::IdleRefresh);
    } else {
        setEntry(QString());
    }
}

void TelephoneWindowLogic::setEntry(const QString& text)
{
    m_entry = text;
    m_view.setEntryText(text);
}

void TelephoneWindowLogic::placeNumber(const QString& target)
{
    // Numbers from other programs are written in every way: the books' own form finds the contact, and is dialled.
    const QString number = m_books.normaliseNumber(DialTarget::numberOf(target));
    if (number.isEmpty()) {
        return;
    }
    if (m_offHookPending && (m_calls.flags.connected || m_calls.flags.ringing)) {
        return;
    }
    if (m_calls.flags.ringing) {
        // A call rings: the number waits in the entry line and the ringing call keeps the window.
        setEntry(number);
        return;
    }
    if (m_state == WindowState::Disconnected || m_state == WindowState::Connecting) {
        // Not logged in: the number waits for the login.
        m_pendingDial = number;
        return;
    }
    if (const std::optional<ShownEntry> entry = m_books.entryForNumber(number)) {
        showEntry(*entry);
    } else {
        m_shownEntry.reset();
        setEntry(number);
        m_notice.show(number, number, false);
        if (!isConversationState(m_state) && m_state != WindowState::OffHook && m_state != WindowState::Dialling) {
            setState(WindowState::NumberEntry);
        }
    }
    m_view.popUp();
    if (!m_entry.isEmpty() && m_numberReady) {
        dial();
    }
}

void TelephoneWindowLogic::showNotice(const QString& text, const QString& hint, bool temporary)
{
    m_notice.show(text, hint, temporary);
}

void TelephoneWindowLogic::setMissed(bool on)
{
    m_missedPending = on;
    m_missedCount = on ? m_books.unseenCalls() : 0;
    m_view.setTrayDefaultHistory(on && m_settings.Historia.OtworzDom);
    m_tray.setMissedFlash(on && m_settings.Historia.Mrugaj);
    refreshTray();
    if (m_state == WindowState::Idle) {
        showMissedCount();
    }
}

void TelephoneWindowLogic::tickCallTimer(int secondOfMinute)
{
    if (!m_timing) {
        return;
    }
    m_callTimer.tick(secondOfMinute);
    if (isConversationState(m_state)) {
        // The duration, and the charge when the exchange advises it.
        const QString charge = m_callTimer.chargeText();
        m_view.setInfoText(charge.isEmpty() ? m_callTimer.elapsedText()
                                            : m_callTimer.elapsedText() + QStringLiteral("  ") + charge);
    }
}

bool TelephoneWindowLogic::loadRedialList(const QString& path)
{
    const bool loaded = m_redial.load(path);
    m_redial.resetCursor();
    return loaded;
}

void TelephoneWindowLogic::applyClosingServices()
{
    if (m_settings.Ogolne.AutoBlokada) {
        m_line.setLock(true, m_settings.Siec.Klucz);
    }
    if (m_settings.DND.DNDClose) {
        m_line.setDoNotDisturb(true);
    }
    if (m_settings.Przeniesienie.Auto) {
        m_line.setForwarding(true);
    }
}
