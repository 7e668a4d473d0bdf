#pragma once

// The image buttons of the telephone window's skin. Each runs the window action of the same role on mouse-up.
enum class SkinButton {
    Park,       // "Parking (Ctrl + P)"
    Fwd,        // "Forward"
    Flash,      // "Flash (Ctrl + /)"
    Conference, // "Send SMS (Ctrl + S)"
    OK,         // "Confirm (Enter)"
    Book,       // "Phone book (Ctrl + T)"
    Notes,      // "Notes (Ctrl + N)"
    History,    // "History (Ctrl + H)"
    Redial,     // "Redial (Ctrl + Up)"
    Esc,        // "Cancel (ESC)"
    OnTop,      // "Always on top"
    Minimize,   // "Minimize (Ctrl + F4)"
    Rec,        // "Call recording (Ctrl + R)"
};
