#include "pbxsim/Exchange.h"

#include "pbxsim/WireText.h"

#include <QTimer>
#include <algorithm>
#include <utility>

namespace pbxsim {

namespace {

constexpr int NormalClearing = 16;
constexpr int UserBusy = 17;

const QString Park = QStringLiteral("/#31");
const QString ReturnToHeld = QStringLiteral("//");

} // namespace

Exchange::Exchange(const QMap<QString, QString>& extensionPins, const QStringList& busyNumbers, int dialDelayMs,
                   QObject* parent)
    : QObject(parent)
    , m_busyNumbers(busyNumbers.cbegin(), busyNumbers.cend())
    , m_dialDelayMs(dialDelayMs)
{
    for (auto it = extensionPins.cbegin(); it != extensionPins.cend(); ++it) {
        m_extensions[it.key()].pin = it.value();
    }
}

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
        return InvalidNumber;
    }
    if (known->pin.isEmpty()) {
        return 0;
    }
    if (pin.isEmpty()) {
        return NoPin;
    }
    return pin == known->pin ? 0 : WrongPin;
}

bool Exchange::pinMatches(const QString& extension, const QString& pin) const
{
    const ExtensionState* known = state(extension);
    return known != nullptr && (known->pin.isEmpty() || known->pin == pin);
}

bool Exchange::isRinging(const QString& extension) const
{
    const ExtensionState* known = state(extension);
    return known != nullptr && known->call == ExtensionState::Call::Ringing;
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

void Exchange::pickUp(const QString& extension)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return;
    }
    state->hook = ExtensionState::Hook::Off;
    if (state->call == ExtensionState::Call::Ringing) {
        connectCall(extension, *state, state->peer);
    } else {
        emitEvent(QStringLiteral("DRDY"), extension);
    }
}

void Exchange::dial(const QString& extension, const QString& digits)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || digits.isEmpty()) {
        return;
    }
    state->hook = ExtensionState::Hook::Off;
    if (digits.startsWith(QLatin1Char('/'))) {
        dialFeature(extension, *state, digits);
    } else {
        dialDigits(extension, *state, digits);
    }
}

// A flash followed by digits holds the conversation and dials a second party; "//" swaps back to the held one;
// "/#31" parks the call. Other sequences (conference, pick-up, urgent call) are accepted and change nothing.
void Exchange::dialFeature(const QString& extension, ExtensionState& state, const QString& digits)
{
    if (digits == Park) {
        state.parked = true;
        state.call = ExtensionState::Call::Idle;
        state.peer.clear();
        sendStat(extension);
    } else if (digits == ReturnToHeld && !state.heldPeer.isEmpty()) {
        const QString held = std::exchange(state.heldPeer, state.peer);
        connectCall(extension, state, held);
    } else if (digits.size() > 1 && digits[1].isDigit() && digits != QLatin1String("/3")) {
        if (state.call == ExtensionState::Call::Connected) {
            state.heldPeer = state.peer;
            state.call = ExtensionState::Call::Idle;
        }
        dialDigits(extension, state, digits.mid(1));
    }
}

// Digits during a conversation are tones and are only echoed; digits while dialling extend the number and restart
// the wait for the connection.
void Exchange::dialDigits(const QString& extension, ExtensionState& state, const QString& digits)
{
    for (const QChar digit : digits) {
        emitEvent(QStringLiteral("ECHO"), extension, QString(digit));
    }
    if (state.call == ExtensionState::Call::Connected) {
        return;
    }
    state.peer = state.call == ExtensionState::Call::Dialling ? state.peer + digits : digits;
    state.call = ExtensionState::Call::Dialling;
    const quint64 serial = ++state.serial;
    QTimer::singleShot(m_dialDelayMs, this, [this, extension, serial] { completeDial(extension, serial); });
}

void Exchange::completeDial(const QString& extension, quint64 serial)
{
    ExtensionState* state = find(extension);
    if (state == nullptr || state->call != ExtensionState::Call::Dialling || state->serial != serial) {
        return;
    }
    if (m_busyNumbers.contains(state->peer)) {
        state->call = ExtensionState::Call::Idle;
        state->peer.clear();
        emitEvent(QStringLiteral("REL"), extension, QString::number(UserBusy));
        return;
    }
    connectCall(extension, *state, state->peer);
}

void Exchange::connectCall(const QString& extension, ExtensionState& state, const QString& number)
{
    state.call = ExtensionState::Call::Connected;
    state.peer = number;
    emitEvent(QStringLiteral("CONN"), extension, number);
}

void Exchange::hangUp(const QString& extension)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return;
    }
    if (state->call != ExtensionState::Call::Idle) {
        emitEvent(QStringLiteral("REL"), extension, QString::number(NormalClearing));
    }
    state->call = ExtensionState::Call::Idle;
    state->peer.clear();
    state->heldPeer.clear();
    state->hook = ExtensionState::Hook::On;
    sendStat(extension);
}

void Exchange::reject(const QString& extension)
{
    if (isRinging(extension)) {
        release(extension, NormalClearing);
    }
}

void Exchange::setForwarding(const QString& extension, bool on)
{
    setFlag(extension, &ExtensionState::forwarding, on);
}

void Exchange::setDoNotDisturb(const QString& extension, bool on)
{
    setFlag(extension, &ExtensionState::doNotDisturb, on);
}

void Exchange::setLocked(const QString& extension, bool on)
{
    setFlag(extension, &ExtensionState::locked, on);
}

void Exchange::setAccountCode(const QString& extension, bool on)
{
    setFlag(extension, &ExtensionState::accountCode, on);
}

void Exchange::setFlag(const QString& extension, bool ExtensionState::*flag, bool on)
{
    ExtensionState* state = find(extension);
    if (state != nullptr) {
        state->*flag = on;
        sendStat(extension);
    }
}

void Exchange::sendStat(const QString& extension)
{
    if (const ExtensionState* known = state(extension)) {
        emitEvent(QStringLiteral("STAT"), extension, known->statFlags());
    }
}

void Exchange::ring(const QString& extension, const QString& caller, const QString& name)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return;
    }
    state->call = ExtensionState::Call::Ringing;
    state->peer = caller;
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
    const QString party = number.isEmpty() && state->call != ExtensionState::Call::Idle ? state->peer : number;
    if (party.isEmpty()) {
        return false;
    }
    state->hook = ExtensionState::Hook::Off;
    connectCall(extension, *state, party);
    return true;
}

void Exchange::release(const QString& extension, int cause)
{
    ExtensionState* state = find(extension);
    if (state == nullptr) {
        return;
    }
    state->call = ExtensionState::Call::Idle;
    state->peer.clear();
    emitEvent(QStringLiteral("REL"), extension, QString::number(cause));
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

ExtensionState* Exchange::find(const QString& extension)
{
    const auto it = m_extensions.find(extension);
    return it == m_extensions.end() ? nullptr : &it.value();
}

void Exchange::emitEvent(const QString& tag, const QString& extension, const QString& parameters)
{
    emit event(extension, WireText::event(tag, extension, parameters));
}

} // namespace pbxsim
