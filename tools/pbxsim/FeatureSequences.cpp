#include "pbxsim/FeatureSequences.h"

#include "pbxsim/Exchange.h"
#include "pbxsim/ExtensionState.h"
#include "pbxsim/ReplyCodes.h"

#include <utility>

namespace pbxsim {

namespace {

using Call = ExtensionState::Call;

const QString Flash = QStringLiteral("/");
const QString ReturnToHeld = QStringLiteral("//");
const QString Conference = QStringLiteral("/3");
const QString ConferenceVexa = QStringLiteral("/#41"); // the code of the Vexa and Ambra types
const QString Park = QStringLiteral("/#31");
const QString CallPickUp = QStringLiteral("/#37");
const QString UrgentCall = QStringLiteral("/#35");

} // namespace

FeatureSequences::FeatureSequences(Exchange& exchange)
    : m_exchange(exchange)
{
}

int FeatureSequences::dial(const QString& extension, ExtensionState& state, const QString& sequence)
{
    if (sequence == Flash) {
        return flash(extension, state);
    }
    if (sequence == ReturnToHeld) {
        return returnToHeld(extension, state);
    }
    if (sequence == Conference || sequence == ConferenceVexa) {
        return conference(state);
    }
    if (sequence == Park) {
        return park(extension, state);
    }
    if (sequence == CallPickUp) {
        return pickUpElsewhere(extension, state);
    }
    if (sequence == UrgentCall) {
        return Refusal::None;
    }
    const QString digits = sequence.mid(1);
    if (digits.contains(QLatin1Char('/'))) {
        return Refusal::InvalidParameters;
    }
    if (digits.startsWith(QLatin1Char('#')) || digits.startsWith(QLatin1Char('*'))) {
        return Refusal::InvalidNumber; // a feature code the exchange does not know
    }
    return consult(extension, state, digits);
}

int FeatureSequences::flash(const QString& extension, ExtensionState& state)
{
    if (!setAside(state)) {
        return Refusal::DiallingImpossible;
    }
    m_exchange.emitEvent(QStringLiteral("DRDY"), extension);
    return Refusal::None;
}

int FeatureSequences::consult(const QString& extension, ExtensionState& state, const QString& digits)
{
    const int refusal = flash(extension, state);
    if (refusal == Refusal::None) {
        m_exchange.dialDigits(extension, state, digits);
    }
    return refusal;
}

int FeatureSequences::returnToHeld(const QString& extension, ExtensionState& state)
{
    if (state.heldPeer.isEmpty()) {
        return Refusal::NoCall;
    }
    const QString held = state.heldPeer;
    if (state.call == Call::Connected) {
        state.heldPeer = state.peer;
    } else {
        Exchange::abandonDialling(state);
        state.heldPeer.clear();
    }
    state.conference.clear();
    m_exchange.connectCall(extension, state, held);
    return Refusal::None;
}

// The held party joins; the conversation itself goes on, so nothing is announced.
int FeatureSequences::conference(ExtensionState& state)
{
    if (state.call != Call::Connected || state.heldPeer.isEmpty()) {
        return Refusal::NoCall;
    }
    state.conference.append(std::exchange(state.heldPeer, QString()));
    return Refusal::None;
}

// Parking leaves the handset lifted with dial tone and lights the park flag; from dial tone the parked call comes
// back.
int FeatureSequences::park(const QString& extension, ExtensionState& state)
{
    if (state.call == Call::Connected) {
        if (!state.parkedPeer.isEmpty()) {
            return Refusal::DiallingImpossible;
        }
        state.parkedPeer = std::exchange(state.peer, QString());
        state.parked = true;
        state.call = Call::Idle;
        state.conference.clear();
        m_exchange.emitEvent(QStringLiteral("DRDY"), extension);
        m_exchange.sendStat(extension);
        return Refusal::None;
    }
    if (state.parkedPeer.isEmpty()) {
        return Refusal::NoCall;
    }
    Exchange::abandonDialling(state);
    state.parked = false;
    m_exchange.connectCall(extension, state, std::exchange(state.parkedPeer, QString()));
    m_exchange.sendStat(extension);
    return Refusal::None;
}

// The caller is connected here and the extension that rang is released; a conversation here goes on hold.
int FeatureSequences::pickUpElsewhere(const QString& extension, ExtensionState& state)
{
    const auto [ringingExtension, ringing] = m_exchange.ringingElsewhere(extension);
    if (ringing == nullptr) {
        return Refusal::NoCall;
    }
    if (!setAside(state)) {
        return Refusal::DiallingImpossible;
    }
    m_exchange.connectCall(extension, state, ringing->peer);
    m_exchange.endCall(ringingExtension, *ringing, Cause::AnsweredElsewhere);
    return Refusal::None;
}

bool FeatureSequences::setAside(ExtensionState& state)
{
    if (state.call != Call::Connected) {
        Exchange::abandonDialling(state);
        return true;
    }
    if (!state.heldPeer.isEmpty()) {
        return false;
    }
    state.heldPeer = std::exchange(state.peer, QString());
    state.call = Call::Idle;
    state.conference.clear();
    return true;
}

} // namespace pbxsim
