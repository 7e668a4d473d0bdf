#include "pbxsim/Exchange.h"

#include "pbxsim/FeatureSequences.h"
#include "pbxsim/ReplyCodes.h"
#include "pbxsim/SimulatorConfig.h"
#include "pbxsim/WireText.h"

#include <QTimer>
#include <algorithm>
#include <utility>

namespace pbxsim {

using Call = ExtensionState::Call;
using Hook = ExtensionState::Hook;

Exchange::EventHold::EventHold(Exchange& exchange)
    : m_exchange(exchange)
{
    ++m_exchange.m_holds;
}

Exchange::EventHold::~EventHold()
{
    if (--m_exchange.m_holds == 0) {
        m_exchange.flushEvents();
    }
}

Exchange::Exchange(const SimulatorConfig& config, QObject* parent)
    : QObject(parent)
    , m_busyNumbers(config.busyNumbers.cbegin(), config.busyNumbers.cend())
    , m_accounts(config.accounts)
    , m_dialDelayMs(std::max(0, config.dialDelayMs))
    , m_features(std::make_unique<FeatureSequences>(*this))
{
    for (auto it = config.extensions.cbegin(); it != config.extensions.cend(); ++it) {
        m_extensions[it.key()].pin = it.value();
    }
    for (const QString& extension : config.noSystemPhone) {
        setSystemPhone(extension, false);
    }
}

Exchange::~Exchange() = default;

bool Exchange::hasExtension(const QString& extension) const
{
    return m_extensions.contains(extension);
}

QStringList Exchange::extensions() const
{
    QStringList list = m_extensions.keys();
    list.sort();
    return list;
}

int Exchange::loginRefusal(const QString& extension, const QString& pin) const
{
    const ExtensionState* known = state(extension);
    if (known == nullptr) {
        return Refusal::InvalidNumber;
    }
    if (known->pin.isEmpty()) {
        return Refusal::None;
    }
    if (pin.isEmpty()) {
        return Refusal::NoPin;
    }
    return pin == known->pin ? Refusal::None : Refusal::InvalidPin;
}

const ExtensionState* Exchange::state(const QString& extension) const
{
    const auto it = m_extensions.constFind(extension);
    return it == m_extensions.cend() ? nullptr : &it.value();
}

void Exchange::setDialDelay(int milliseconds)
{
    m_dialDelayMs = std::max(0, milliseconds);
}

// The server works the handset of a system phone only; an analogue set's user lifts and puts it down.
int Exchange::pickUp(const QString& extension)
{
    const ExtensionState* known = state(extension);
    if (known == nullptr) {
        return Refusal::InvalidNumber;
    }
    return known->systemPhone ? liftHandset(extension) : Refusal::NoSystemPhone;
}

int Exchange::hangUp(const QString& extension)
{
    const ExtensionState* known = state(extension);
    if (known == nullptr) {
        return Refusal::InvalidNumber;
    }
    if (!known->systemPhone) {
        return Refusal::NoSystemPhone;
    }
    const int refusal = putDownHandset(extension);
    if (refusal == Refusal::None) {
        sendStat(extension);
    }
    return refusal;
}

int Exchange::liftHandset(const QString& extension)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return Refusal::InvalidNumber;
    }
    if (state->isOffHook() || state->call == Call::Dialling || state->call == Call::Connected) {
        return Refusal::WrongHookState;
    }
    state->hook = Hook::Off;
    if (state->call == Call::Ringing) {
        connectCall(extension, *state, state->peer);
    } else {
        emitEvent(QStringLiteral("DRDY"), extension);
    }
    return Refusal::None;
}

int Exchange::putDownHandset(const QString& extension)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return Refusal::InvalidNumber;
    }
    if (!state->isOffHook()) {
        return Refusal::WrongHookState;
    }
    // The line is released whenever the extension goes on hook, from dial tone too, and the held call with it.
    state->heldPeer.clear();
    endCall(extension, *state, Cause::NormalClearing);
    return Refusal::None;
}

// Digits need dial tone (the handset lifted, nothing ringing) and an unlocked telephone; only a leading "/" is a
// flash.
int Exchange::dial(const QString& extension, const QString& digits)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return Refusal::InvalidNumber;
    }
    if (!WireText::isDialString(digits)) {
        return Refusal::InvalidParameters;
    }
    if (!state->isOffHook() || state->call == Call::Ringing) {
        return Refusal::DiallingImpossible;
    }
    if (state->locked) {
        return Refusal::PhoneLocked;
    }
    if (digits.startsWith(QLatin1Char('/'))) {
        return m_features->dial(extension, *state, digits);
    }
    if (digits.contains(QLatin1Char('/'))) {
        return Refusal::InvalidParameters;
    }
    dialDigits(extension, *state, digits);
    return Refusal::None;
}

// Digits during a conversation are tones and are only echoed; digits while dialling extend the number and restart
// the wait for the connection.
void Exchange::dialDigits(const QString& extension, ExtensionState& state, const QString& digits)
{
    for (const QChar digit : digits) {
        emitEvent(QStringLiteral("ECHO"), extension, QString(digit));
    }
    if (state.call == Call::Connected) {
        return;
    }
    state.peer = state.call == Call::Dialling ? state.peer + digits : digits;
    state.call = Call::Dialling;
    const quint64 serial = ++state.serial;
    QTimer::singleShot(m_dialDelayMs, this, [this, extension, serial] { completeDial(extension, serial); });
}

void Exchange::abandonDialling(ExtensionState& state)
{
    if (state.call == Call::Dialling) {
        state.call = Call::Idle;
        state.peer.clear();
        ++state.serial;
    }
}

void Exchange::completeDial(const QString& extension, quint64 serial)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || state->call != Call::Dialling || state->serial != serial) {
        return;
    }
    if (m_busyNumbers.contains(state->peer)) {
        endCall(extension, *state, Cause::UserBusy);
        return;
    }
    connectCall(extension, *state, state->peer);
}

void Exchange::connectCall(const QString& extension, ExtensionState& state, const QString& number)
{
    state.call = Call::Connected;
    state.hook = Hook::Off;
    state.peer = number;
    state.peerName.clear();
    emitEvent(QStringLiteral("CONN"), extension, number);
}

void Exchange::endCall(const QString& extension, ExtensionState& state, int cause)
{
    abandonDialling(state);
    state.call = Call::Idle;
    state.hook = Hook::On;
    state.peer.clear();
    state.peerName.clear();
    // A caller still waiting is let go with the conversation.
    state.waitingPeer.clear();
    state.conference.clear();
    emitEvent(QStringLiteral("REL"), extension, QString::number(cause));
}

// A call is deflected only to a number that can take it: a configured extension must be free and not on DND.
int Exchange::reject(const QString& extension, const QString& deflectTo)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || state->call != Call::Ringing) {
        return Refusal::NoCall;
    }
    if (deflectTo.isEmpty()) {
        endCall(extension, *state, Cause::CallRejected);
        return Refusal::None;
    }
    if (!WireText::isPhoneNumber(deflectTo) || deflectTo == extension) {
        return Refusal::InvalidNumber;
    }
    ExtensionState* target = find(deflectTo);
    if (m_busyNumbers.contains(deflectTo) || (target != nullptr && (!target->isFree() || target->doNotDisturb))) {
        return Refusal::Busy;
    }
    const QString caller = state->peer;
    const QString name = state->peerName;
    endCall(extension, *state, Cause::NormalClearing);
    if (target != nullptr) {
        ringExtension(deflectTo, *target, caller, name);
    }
    return Refusal::None;
}

int Exchange::markMaliciousCall(const QString& extension) const
{
    const ExtensionState* known = state(extension);
    const bool callUp = known != nullptr && (known->call == Call::Ringing || known->call == Call::Connected);
    return callUp ? Refusal::None : Refusal::NoCall;
}

void Exchange::setForwarding(const QString& extension, const QString& rule)
{
    if (ExtensionState* state = find(extension)) {
        state->forwarding = !rule.isEmpty();
        state->forwardingRule = rule;
        sendStat(extension);
    }
}

void Exchange::setDoNotDisturb(const QString& extension, bool on)
{
    if (ExtensionState* state = find(extension)) {
        state->doNotDisturb = on;
        sendStat(extension);
    }
}

int Exchange::setLocked(const QString& extension, bool on, const QString& pin)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || state->pin.isEmpty()) {
        return Refusal::NoPin;
    }
    if (pin != state->pin) {
        return Refusal::InvalidPin;
    }
    state->locked = on;
    sendStat(extension);
    return Refusal::None;
}

int Exchange::setAccountCode(const QString& extension, const QString& account, const QString& pin)
{
    ExtensionState* state = find(extension);
    const auto known = m_accounts.constFind(account);
    if (state == nullptr || known == m_accounts.cend()) {
        return Refusal::NoSuchAccount;
    }
    if (pin != known.value()) {
        return Refusal::InvalidPin;
    }
    state->accountCode = true;
    state->account = account;
    sendStat(extension);
    return Refusal::None;
}

void Exchange::clearAccountCode(const QString& extension)
{
    if (ExtensionState* state = find(extension)) {
        state->accountCode = false;
        state->account.clear();
        sendStat(extension);
    }
}

void Exchange::sendStat(const QString& extension)
{
    if (const ExtensionState* known = state(extension)) {
        emitEvent(QStringLiteral("STAT"), extension, known->statFlags());
    }
}

// A free extension rings; one in a conversation hears one more caller waiting (call waiting).
Exchange::RingOutcome Exchange::ring(const QString& extension, const QString& caller, const QString& name)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return RingOutcome::Busy;
    }
    const bool canWait = state->call == Call::Connected && state->waitingPeer.isEmpty();
    if (!state->isFree() && !canWait) {
        return RingOutcome::Busy;
    }
    if (state->doNotDisturb) {
        return RingOutcome::DoNotDisturb;
    }
    if (canWait) {
        state->waitingPeer = caller;
        emitRing(extension, caller, name);
    } else {
        ringExtension(extension, *state, caller, name);
    }
    return RingOutcome::Rung;
}

void Exchange::ringExtension(const QString& extension, ExtensionState& state, const QString& caller,
                             const QString& name)
{
    state.call = Call::Ringing;
    state.peer = caller;
    state.peerName = name;
    emitRing(extension, caller, name);
}

void Exchange::emitRing(const QString& extension, const QString& caller, const QString& name)
{
    QString parameters = caller + QStringLiteral(" 0 ") + extension;
    if (!name.isEmpty()) {
        parameters += QStringLiteral(" 0 ") + WireText::encodeName(name);
    }
    emitEvent(QStringLiteral("RING"), extension, parameters);
}

bool Exchange::answer(const QString& extension, const QString& number)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return false;
    }
    const QString party = number.isEmpty() && state->call != Call::Idle ? state->peer : number;
    if (party.isEmpty()) {
        return false;
    }
    if (!state->waitingPeer.isEmpty() && party == state->waitingPeer) {
        // The waiting caller is taken; the conversation so far waits on hold.
        state->waitingPeer.clear();
        if (state->heldPeer.isEmpty()) {
            state->heldPeer = state->peer;
        }
    }
    connectCall(extension, *state, party);
    return true;
}

void Exchange::release(const QString& extension, int cause)
{
    if (ExtensionState* state = find(extension)) {
        endCall(extension, *state, cause);
    }
}

bool Exchange::setStatFlags(const QString& extension, QStringView flags)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || !state->applyStatFlags(flags)) {
        return false;
    }
    sendStat(extension);
    return true;
}

void Exchange::setSystemPhone(const QString& extension, bool present)
{
    if (ExtensionState* state = find(extension)) {
        state->systemPhone = present;
    }
}

ExtensionState* Exchange::find(const QString& extension)
{
    const auto it = m_extensions.find(extension);
    return it == m_extensions.end() ? nullptr : &it.value();
}

std::pair<QString, ExtensionState*> Exchange::ringingElsewhere(const QString& extension)
{
    for (const QString& other : extensions()) {
        ExtensionState* state = find(other);
        if (other != extension && state->call == Call::Ringing) {
            return {other, state};
        }
    }
    return {QString(), nullptr};
}

void Exchange::emitEvent(const QString& tag, const QString& extension, const QString& parameters)
{
    const QString line = WireText::event(tag, extension, parameters);
    if (m_holds > 0) {
        m_heldEvents.append({extension, line});
    } else {
        emit event(extension, line);
    }
}

void Exchange::flushEvents()
{
    const QList<std::pair<QString, QString>> events = std::exchange(m_heldEvents, {});
    for (const auto& [extension, line] : events) {
        emit event(extension, line);
    }
}

} // namespace pbxsim
