// The two records of one keystroke report, passed by value to an OnKey handler.
#pragma once

#include <cstddef>
#include <cstdint>

// Eight one-byte booleans (1 true, 0 false), then a signed 32-bit count, without gaps.
struct TKeyStates {
    bool Synthetic;
    bool KeyDown;
    bool ShiftDown;
    bool AltDown;
    bool CtrlDown;
    bool Extended;
    bool MenuActive;
    bool WasDown;
    std::int32_t RepeatCount;
};

static_assert(sizeof(bool) == 1, "TKeyStates needs one-byte booleans");
static_assert(offsetof(TKeyStates, RepeatCount) == 8, "TKeyStates has no gap before the count");
static_assert(sizeof(TKeyStates) == 12, "TKeyStates is eight bytes and a 32-bit count");

// The character the key produces (0 for none), then its zero-filled 101-byte name.
struct TKeyNames {
    static constexpr std::size_t kKeyNameSize = 101;

    std::uint8_t Character;
    char KeyName[kKeyNameSize];
};

static_assert(offsetof(TKeyNames, KeyName) == 1, "TKeyNames: the name follows the character");
static_assert(sizeof(TKeyNames) == 102, "TKeyNames is the character and 101 bytes");
