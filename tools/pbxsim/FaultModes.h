#pragma once

namespace pbxsim {

// Faults the operator switches on for tests; read by the listener and the sessions at the moment they act.
struct FaultModes final {
    bool full = false;     // close every new connection right after accepting it
    bool mute = false;     // read and ignore everything, answer nothing, keep the connection open
    int splitBytes = 0;    // write each outgoing line in chunks of this many bytes; 0 writes it whole
    int splitPauseMs = 20; // the pause between two chunks
};

} // namespace pbxsim
