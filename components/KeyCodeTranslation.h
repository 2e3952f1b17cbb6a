// Turns one key-code byte into the key events that type it, over the layout's two lookups.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Keyboard.h"

// Key-code bytes with a meaning of their own; the others are virtual keys (0 to 31) or
// characters (32 to 227).
namespace KeyCode {
inline constexpr std::uint8_t kEnter = 13;
inline constexpr std::uint8_t kFirstCharacter = 32;
inline constexpr std::uint8_t kF1 = 228;
inline constexpr std::uint8_t kF10 = 237;
inline constexpr std::uint8_t kFirstNavigation = 240;
inline constexpr std::uint8_t kShiftDown = 250;
inline constexpr std::uint8_t kShiftUp = 251;
inline constexpr std::uint8_t kCtrlDown = 252;
inline constexpr std::uint8_t kCtrlUp = 253;
inline constexpr std::uint8_t kAltDown = 254;
inline constexpr std::uint8_t kAltUp = 255;
}  // namespace KeyCode

inline constexpr std::uint32_t kKeyEventPress = 0;
inline constexpr std::uint32_t kKeyEventRelease = 2;  // KEYEVENTF_KEYUP

// One keybd_event call; the extra information is always 0.
struct TKeyEvent {
    std::uint8_t VirtualKey;
    std::uint8_t ScanCode;
    std::uint32_t Flags;

    friend bool operator==(const TKeyEvent&, const TKeyEvent&) = default;
};

// The events of one code: at most Shift press, press, release, Shift release.
struct TKeyEvents {
    std::array<TKeyEvent, 4> Events{};
    int Count = 0;
};

// The events for one code of a key-code string. modifierHeld is the call's modifier-held flag:
// read for the automatic Shift, and set or cleared by the modifier codes 250 to 255. Only the
// layout lookups of the keyboard are used; nothing is injected.
TKeyEvents KeyEventsForCode(std::uint8_t code, bool& modifierHeld, IKeyboardInput& layout);
