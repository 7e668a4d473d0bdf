#pragma once

#include <optional>

// The key of Ogolne/KlawiszWybor as an X key: 0..9 Ctrl+Alt and the digit, 10 Ctrl+Alt and the keypad's "*",
// 11 Scroll Lock and 12 Print Screen alone, any other value Ctrl+Alt and the key whose Windows key code is 48 plus
// the value (a digit or a letter; other codes have no key here, and nothing is grabbed).
struct HotKeyChoice {
    unsigned long keysym = 0; // X keysym
    bool controlAlt = false;

    static std::optional<HotKeyChoice> forValue(int value);
};
