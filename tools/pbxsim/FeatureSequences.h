#pragma once

#include <QString>

namespace pbxsim {

class Exchange;
struct ExtensionState;

// The dialling sequences that start with a flash ("/"): a lone flash holds the conversation and gives dial tone,
// "/" and digits holds it and calls another party, "//" goes back to the held call (swapping when another one is
// up), "/3" and "/#41" join the held call to the conversation, "/#31" parks the conversation or takes the parked
// call back, "/#37" takes a call ringing at another extension, "/#35" (urgent call) is accepted. One call can be
// held and one parked at a time.
class FeatureSequences final {
public:
    explicit FeatureSequences(Exchange& exchange);

    // The extension has dial tone or a call; returns Refusal::None after the change, else the refusal code.
    int dial(const QString& extension, ExtensionState& state, const QString& sequence);

private:
    int flash(const QString& extension, ExtensionState& state);
    int consult(const QString& extension, ExtensionState& state, const QString& digits);
    int returnToHeld(const QString& extension, ExtensionState& state);
    int conference(ExtensionState& state);
    int park(const QString& extension, ExtensionState& state);
    int pickUpElsewhere(const QString& extension, ExtensionState& state);
    // Puts a conversation on hold, or drops a number being dialled; false when the hold place is taken.
    static bool setAside(ExtensionState& state);

    Exchange& m_exchange;
};

} // namespace pbxsim
