#pragma once

// Colours of the network console lines, as RGB values.
enum class ConsoleColour : unsigned {
    Note = 0x00FF00,       // lime: the console's default text
    Sent = 0x00FF00,       // green: commands sent
    Received = 0x00FFFF,   // cyan: lines received for this extension
    Error = 0xFF0000,      // red: socket errors
    Searching = 0xFFFF00,  // yellow: server discovery
    LateAnswer = 0x808000, // olive: a discovery answer after the collection window
};
