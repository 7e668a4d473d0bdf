#pragma once

// The picture on the telephone window's display that tells the situation at a glance.
enum class StateIcon {
    Idle,         // logged in, nothing happening
    NumberReady,  // a number stands in the entry line
    OffHook,      // handset lifted, dial tone
    Dialling,     // an outgoing call is being dialled
    Ringing,      // an incoming call rings
    Connected,    // in conversation
    Held,         // a call waits on hold
    Disconnected, // no link to the exchange
    Connecting,   // the link is being set up
};
