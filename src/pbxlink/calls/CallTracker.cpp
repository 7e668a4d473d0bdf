#include "pbxlink/calls/CallTracker.h"

#include "pbxlink/calls/CallerId.h"
#include "pbxlink/lifecycle/LinkNotices.h"
#include "pbxlink/lifecycle/WindowState.h"
#include "pbxlink/protocol/PbxRecordingEvent.h"
#include "settings/Lang.h"
#include "settings/SettingsRecord.h"
#include "settings/SmsWireText.h"

#include <utility>

namespace {

// The release cause that ends a call without a history row.
constexpr int CauseNotSaved = 39;

// Feature codes ("#..." and "*#...") are kept in the history only when asked for; "#*" codes always are.
bool isSavedNumber(const QString& number, bool keepFeatureCodes)
{
    const bool featureCode = number.startsWith(u'#') || number.startsWith(u"*#");
    return !featureCode || keepFeatureCodes || number.trimmed().startsWith(u"#*");
}

} // namespace

CallTracker::CallTracker(Collaborators collaborators)
    : m_c(std::move(collaborators))
{
}

bool CallTracker::conversationEstablished() const
{
    return m_c.state.flags.inConversation;
}

void CallTracker::handleEvent(const PbxEvent& event)
{
    m_chosenState.reset();
    switch (event.tag) {
    case PbxEvent::Tag::DialTone:
        onDialTone();
        break;
    case PbxEvent::Tag::Echo:
        onEcho(event);
        break;
    case PbxEvent::Tag::Ringing:
        onRinging(event);
        break;
    case PbxEvent::Tag::Connected:
        onConnected(event);
        break;
    case PbxEvent::Tag::Released:
        onReleased(event);
        break;
    case PbxEvent::Tag::Status:
        onStatus(event);
        break;
    case PbxEvent::Tag::AdviceOfCharge:
        if (m_c.setChargeText) {
            m_c.setChargeText(event.parameters);
        }
        break;
    case PbxEvent::Tag::RecordingBegun:
        if (m_hooks.begun) {
            m_hooks.begun(event.parameters);
        }
        break;
    case PbxEvent::Tag::RecordingChanged:
        if (m_hooks.changed) {
            m_hooks.changed(event.parameters);
        }
        break;
    case PbxEvent::Tag::RecordingEnded:
        onRecordingEnded(event);
        break;
    }
    if (m_chosenState) {
        emit m_c.notices.windowStateChosen(*m_chosenState);
    }
    if (m_c.processPendingEvents) {
        m_c.processPendingEvents();
    }
}

void CallTracker::onDialTone()
{
    LineFlags& flags = m_c.state.flags;
    CallRecord& record = m_c.state.record;
    flags.offHook = true;
    flags.incoming = false;
    record.dialledDigits.clear();
    emit m_c.notices.handsetChanged(true);

    if (flags.dialAfterPickUp) {
        flags.dialAfterPickUp = false;
        const QString digits = std::exchange(m_c.state.rememberedDigits, QString());
        if (m_c.dialRememberedDigits) {
            m_c.dialRememberedDigits(digits);
        }
        return;
    }
    // A call has just ended while the handset stays lifted.
    if (flags.wasRinging || flags.connected) {
        endTimeByType();
        if (!record.recordingMade) {
            if (!record.closed && !record.number.contains(u'#')) {
                saveToHistory();
                record.callerName.clear();
            }
            copyToLastCall();
            record.closed = true;
        }
        saveMissedWaitingCall();
    }
    chooseState(WindowState::HandsetEvent);
}

void CallTracker::onEcho(const PbxEvent& event)
{
    CallRecord& record = m_c.state.record;
    record.dialledDigits += event.parameter(0);
    openRecord(CallType::OutgoingDialling, record.dialledDigits);
    emit m_c.notices.digitsDialled(record.dialledDigits, m_c.partners.books.nameForNumber(record.dialledDigits));
    runStartOfCallActions();
}

void CallTracker::onRinging(const PbxEvent& event)
{
    CallRecord& record = m_c.state.record;
    LineFlags& flags = m_c.state.flags;
    const QString caller = event.parameter(0);
    const QString called = event.parameter(2);
    // The name is the last field; names with spaces in them are taken whole.
    const QString name = SmsWireText::decode(event.restFrom(4).trimmed(), Lang::isPolish());
    // A conversation goes on (a call that ended while the handset stays lifted has closed its record).
    if (flags.connected && !record.closed) {
        onCallWaiting(caller, called, name);
        return;
    }
    record.otherParty = caller;
    const bool showCalled = m_c.settings.Ogolne.PokazOd && called != m_c.settings.Siec.TelNr;

    flags.wasRinging = true;
    flags.ringing = true;
    flags.incoming = true;
    flags.dialAfterPickUp = false;
    record.started = false;
    m_c.state.rememberedDigits.clear();

    openRecord(CallType::IncomingUnanswered, caller);
    record.calledNumber = called;
    emit m_c.notices.incomingCall(caller, showCalled ? called : QString(), name);
    record.callerName = exchangeNameForHistory(caller, name);
    chooseState(WindowState::Ringing);
}

void CallTracker::onCallWaiting(const QString& caller, const QString& called, const QString& name)
{
    std::optional<WaitingCall>& waiting = m_c.state.waitingCall;
    if (waiting && waiting->number != caller) {
        // Another caller takes the place of the one who waited, who was never answered.
        saveMissedWaitingCall();
    }
    if (!waiting) {
        waiting = WaitingCall{caller, QString(), called, m_c.clock.now()};
    }
    emit m_c.notices.waitingCall(caller, name);
    waiting->callerName = exchangeNameForHistory(caller, name);
}

// The history keeps the exchange's name only where it names the caller: the books do not know the caller and the
// settings ask for the exchange's names.
QString CallTracker::exchangeNameForHistory(const QString& caller, const QString& sent) const
{
    if (CallerId::usableName(m_c.settings, sent).isEmpty()) {
        return {};
    }
    const QString number = CallerId::withoutFlashMark(caller);
    return number.isEmpty() || m_c.partners.books.callerName(number).isEmpty() ? sent : QString();
}

// The user took the waiting call: the conversation so far is written as it stands, and the waiting call becomes the
// call on the line. A recording that runs goes on with the line and stays with the record.
void CallTracker::takeWaitingCall()
{
    CallRecord& record = m_c.state.record;
    const WaitingCall waiting = *std::exchange(m_c.state.waitingCall, std::nullopt);
    if (!record.closed && isSavedNumber(record.number, m_c.settings.Konta.AccHistory)) {
        endTimeByType();
        const bool recording = std::exchange(record.recordingMade, false);
        saveToHistory();
        record.recordingMade = recording;
    }
    record.type = CallType::IncomingAnswered;
    record.number = waiting.number;
    record.callerName = waiting.callerName;
    record.calledNumber = waiting.calledNumber;
    record.closed = false;
    m_c.state.flags.incoming = true;
}

void CallTracker::saveMissedWaitingCall()
{
    const std::optional<WaitingCall> waiting = std::exchange(m_c.state.waitingCall, std::nullopt);
    if (!waiting) {
        return;
    }
    CallHistoryEntry entry;
    entry.type = CallType::IncomingUnanswered;
    entry.start = waiting->start;
    entry.number = waiting->number;
    writeHistoryRow(entry, waiting->callerName, waiting->calledNumber);
    emit m_c.notices.missedCalls();
}

void CallTracker::onConnected(const PbxEvent& event)
{
    CallRecord& record = m_c.state.record;
    LineFlags& flags = m_c.state.flags;
    const QString connectedNumber = event.parameter(0);
    const std::optional<WaitingCall>& waiting = m_c.state.waitingCall;
    if (flags.connected && waiting && connectedNumber == waiting->number) {
        takeWaitingCall();
    }
    if (!flags.inConversation) {
        flags.inConversation = true;
        if (!flags.incoming) {
            // A call dialled without digit echoes has only the connected number.
            const QString dialled = record.closed ? QString() : record.number;
            emit m_c.notices.dialledNumberConnected(dialled.isEmpty() ? connectedNumber : dialled);
        }
    }
    emit m_c.notices.handsetChanged(true);
    record.otherParty = connectedNumber;
    if (!record.closed) {
        record.start = m_c.clock.now();
        if (record.type == CallType::IncomingUnanswered || record.type == CallType::IncomingAnswered) {
            record.number = record.otherParty;
        }
    } else {
        openRecord(CallType::OutgoingAnswered, record.otherParty);
    }
    flags.offHook = true;
    flags.connected = true;
    if (flags.incoming) {
        flags.ringing = false;
        record.type = CallType::IncomingAnswered;
        emit m_c.notices.partyConnected(record.otherParty);
        chooseState(WindowState::IncomingConnected);
    } else {
        record.type = CallType::OutgoingAnswered;
        emit m_c.notices.partyConnected(record.otherParty);
        chooseState(WindowState::OutgoingConnected);
    }
    runStartOfCallActions();
    m_c.partners.history.reserveRowForCallInProgress();
}

void CallTracker::onReleased(const PbxEvent& event)
{
    CallRecord& record = m_c.state.record;
    LineFlags& flags = m_c.state.flags;
    record.dialledDigits.clear();
    flags.inConversation = false;

    bool numeric = false;
    int cause = event.parameter(0).toInt(&numeric);
    if (!numeric) {
        cause = 1;
    }
    if (cause == CauseNotSaved || flags.connected || !flags.ringing) {
        chooseState(WindowState::CallEnded);
    } else {
        chooseState(WindowState::IdleShow);
        emit m_c.notices.missedCalls();
    }
    flags = LineFlags{};
    m_c.state.pickUpForDialling = false;

    endTimeByType();
    const bool answered = CallType::wasAnswered(record.type);
    if (record.started) {
        m_c.partners.recorder.stopRecording(answered);
    }
    if (record.number.startsWith(u"#25")) {
        record.number.remove(0, 3);
    }
    if (!record.closed && isSavedNumber(record.number, m_c.settings.Konta.AccHistory)) {
        if (!answered) {
            record.recordingMade = false;
        }
        if (record.started && recordingPossible()) {
            copyToLastCall();
            if (record.recordingMade) {
                const qint64 duration = record.end.isValid() ? record.start.secsTo(record.end) : 0;
                m_c.partners.recorder.finishCall(duration, record.start, record.number, recordingName());
                m_c.state.lastCall.recordingOffered = true;
                emit m_c.notices.recordingFinished();
            }
        }
        if (cause != CauseNotSaved) {
            saveToHistory();
        }
        record.callerName.clear();
        record.recordingMade = false;
    }
    record.number.clear();
    record.calledNumber.clear();
    record.closed = true;
    record.started = false;
    saveMissedWaitingCall();
    if (m_hooks.callClosed) {
        m_hooks.callClosed();
    }
}

void CallTracker::onStatus(const PbxEvent& event)
{
    const std::optional<FeatureStatus> status = FeatureStatus::parse(event.parameters);
    if (!status) {
        return;
    }
    m_c.state.features = *status;
    if (status->hook != FeatureStatus::Hook::Unknown) {
        emit m_c.notices.handsetChanged(status->hook == FeatureStatus::Hook::Lifted);
    }
    emit m_c.notices.featureStatusChanged(*status);
}

void CallTracker::onRecordingEnded(const PbxEvent& event)
{
    const std::optional<PbxRecordingEnded> ended = PbxRecordingEnded::parse(event);
    if (ended && m_hooks.ended) {
        m_hooks.ended(ended->first, ended->second, ended->name);
    }
}

void CallTracker::runStartOfCallActions()
{
    CallRecord& record = m_c.state.record;
    if (record.started) {
        return;
    }
    record.started = true;
    if (!recordingPossible()) {
        return;
    }
    m_c.partners.recorder.startRecording(m_c.settings.Audio.TrybNagrywania, recordingName());
    record.recordingMade = true;
    emit m_c.notices.recordingStarted();
}

void CallTracker::openRecord(int type, const QString& number)
{
    CallRecord& record = m_c.state.record;
    record.type = type;
    record.start = m_c.clock.now();
    record.number = number;
    record.closed = false;
}

bool CallTracker::recordingPossible() const
{
    return m_c.settings.Audio.NagrywanieWlaczone && m_c.partners.recorder.isDeviceUsable();
}

QString CallTracker::recordingName() const
{
    const QString name = m_c.partners.books.nameForNumber(m_c.state.record.number);
    return name.isEmpty() ? Lang::_("unknown call") : name;
}

void CallTracker::saveToHistory()
{
    const CallRecord& record = m_c.state.record;
    CallHistoryEntry entry;
    entry.type = record.type;
    entry.start = record.start;
    entry.end = record.end;
    entry.number = record.number;
    entry.recordingMade = record.recordingMade;
    writeHistoryRow(entry, record.callerName, record.calledNumber);
}

void CallTracker::writeHistoryRow(CallHistoryEntry entry, const QString& callerName, const QString& calledNumber)
{
    if (!callerName.isEmpty()) {
        entry.callerNameId = m_c.partners.history.callerNameId(callerName);
    }
    if (!calledNumber.isEmpty()) {
        entry.calledNumberId = m_c.partners.history.calledNumberId(calledNumber);
    }
    m_c.partners.history.addEntry(entry);
    m_c.partners.history.trim(m_c.settings.Historia.UsunPo);
    m_c.partners.history.refresh();
}

void CallTracker::copyToLastCall()
{
    const CallRecord& record = m_c.state.record;
    m_c.state.lastCall =
        LastCall{record.type, record.start, record.end, record.number, record.callerName, record.calledNumber, false};
}

void CallTracker::endTimeByType()
{
    CallRecord& record = m_c.state.record;
    record.end = CallType::wasAnswered(record.type) ? m_c.clock.now() : QDateTime();
}
