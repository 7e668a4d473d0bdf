#include "desktop/HotKeyChoice.h"

namespace {

// The keysyms used, from X11/keysymdef.h, so that this logic needs no X headers.
constexpr unsigned long KeysymDigitZero = 0x30;
constexpr unsigned long KeysymSmallA = 0x61;
constexpr unsigned long KeysymKeypadMultiply = 0xffaa;
constexpr unsigned long KeysymScrollLock = 0xff14;
constexpr unsigned long KeysymPrint = 0xff61;
constexpr int WindowsKeyDigitZero = 48;
constexpr int WindowsKeyA = 65;
constexpr int WindowsKeyZ = 90;

} // namespace

std::optional<HotKeyChoice> HotKeyChoice::forValue(int value)
{
    switch (value) {
    case 10:
        return HotKeyChoice{KeysymKeypadMultiply, true};
    case 11:
        return HotKeyChoice{KeysymScrollLock, false};
    case 12:
        return HotKeyChoice{KeysymPrint, false};
    default:
        break;
    }
    if (value < 0 || value > WindowsKeyZ - WindowsKeyDigitZero) {
        return std::nullopt;
    }
    const int windowsKey = WindowsKeyDigitZero + value;
    if (value <= 9) {
        return HotKeyChoice{KeysymDigitZero + static_cast<unsigned long>(value), true};
    }
    if (windowsKey >= WindowsKeyA) {
        return HotKeyChoice{KeysymSmallA + static_cast<unsigned long>(windowsKey - WindowsKeyA), true};
    }
    return std::nullopt;
}
