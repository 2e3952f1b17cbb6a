// The fake keyboard queries: the US layout's characters in the keyboard state given, with one
// dead key on demand.
#include "tests/fakes/FakeKeyboardQueries.h"

#include <algorithm>
#include <cstring>

#include "tests/fakes/LayoutUs.h"

namespace {
constexpr std::uint8_t kDownBit = 0x80;
constexpr std::uint8_t kToggledBit = 0x01;
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkMenu = 0x12;
constexpr std::uint8_t kVkCapital = 0x14;
constexpr int kShiftState = 0x100;  // VkKeyScanA's high byte 1: Shift
constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

// A circumflex over a, e, i, o, u in code page 1252, upper and lower case.
std::uint8_t Composed(std::uint8_t vowel) {
    constexpr char kVowels[] = "aeiouAEIOU";
    constexpr std::uint8_t kWithCircumflex[] = {0xE2, 0xEA, 0xEE, 0xF4, 0xFB,
                                                0xC2, 0xCA, 0xCE, 0xD4, 0xDB};
    const char* found = std::strchr(kVowels, vowel);
    return vowel != 0 && found != nullptr ? kWithCircumflex[found - kVowels] : 0;
}

// The US layout's character for a key in a keyboard state, 0 for none: Shift (the generic
// key, which the system sets with either side) picks the shifted one, Caps Lock swaps the case
// of letters only, Ctrl with a letter gives its control character, Ctrl with Alt (AltGr) gives
// nothing on this layout, and Ctrl with any other key nothing either.
std::uint8_t UsCharacter(std::uint32_t virtualKey, const std::uint8_t (&state)[256]) {
    const bool shift = (state[kVkShift] & kDownBit) != 0;
    const bool ctrl = (state[kVkControl] & kDownBit) != 0;
    const bool alt = (state[kVkMenu] & kDownBit) != 0;
    const bool capsLock = (state[kVkCapital] & kToggledBit) != 0;
    const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
    if (ctrl) {
        return letter && !alt ? static_cast<std::uint8_t>(virtualKey - 'A' + 1) : 0;
    }
    const bool shifted = letter ? shift != capsLock : shift;
    const int wanted = static_cast<int>(virtualKey) | (shifted ? kShiftState : 0);
    for (int character = kFirstPrintable; character <= kLastPrintable; ++character) {
        if (kUsVkKeyScan[static_cast<std::size_t>(character)] == wanted) {
            return static_cast<std::uint8_t>(character);
        }
    }
    return 0;
}

}  // namespace

void TFakeKeyboardQueries::SetDown(std::uint8_t virtualKey, bool down) {
    std::uint8_t toggled = State[virtualKey] & kToggledBit;
    if (down && (State[virtualKey] & kDownBit) == 0) {
        toggled ^= kToggledBit;
    }
    State[virtualKey] = static_cast<std::uint8_t>((down ? kDownBit : 0) | toggled);
}

bool TFakeKeyboardQueries::GetKeyboardState(std::uint8_t (&state)[256]) {
    std::memcpy(state, State, sizeof(State));
    return true;
}

std::int32_t TFakeKeyboardQueries::KeyNameText(std::int32_t keyFlags,
                                               char* name,
                                               std::int32_t size) {
    // GetKeyNameTextA: the scan code and the extended bit name the key; the name is cut to
    // size - 1 characters and the length copied is returned.
    const auto key =
        static_cast<std::uint16_t>((static_cast<std::uint32_t>(keyFlags) >> 16) & 0x1FF);
    const auto found = Names.find(key);
    if (found == Names.end() || size <= 0) {
        if (size > 0) {
            name[0] = '\0';
        }
        return 0;
    }
    const auto length =
        static_cast<std::int32_t>(std::min<std::size_t>(found->second.size(), size - 1));
    std::memcpy(name, found->second.data(), length);
    name[length] = '\0';
    return length;
}

// The US layout's characters and the control characters of Backspace, Tab, Enter and Esc, in
// the keyboard state it is given. A dead key gives -1 and its spacing character and waits for
// the next key, which it composes with or comes out before; unless the state is kept, each
// call changes that wait as the system's does. For a key without a character the buffer is
// left with junk in it, as ToAscii may leave it when it returns 0.
std::int32_t TFakeKeyboardQueries::ToAscii(std::uint32_t virtualKey,
                                           std::uint32_t scanCode,
                                           const std::uint8_t (&state)[256],
                                           std::uint8_t (&characters)[2],
                                           std::uint32_t flags) {
    ToAsciiCalls.push_back({virtualKey, scanCode, flags});
    const bool keep = KeepsDeadKeys && (flags & kKeepDeadKeyState) != 0;
    if (virtualKey == 8 || virtualKey == 9 || virtualKey == 13 || virtualKey == 27) {
        characters[0] = static_cast<std::uint8_t>(virtualKey);
        return 1;
    }
    if (DeadKey != 0 && virtualKey == DeadKey) {
        characters[0] = DeadKeyCharacter;
        PendingDeadKey = keep ? PendingDeadKey : DeadKeyCharacter;
        return -1;
    }
    const std::uint8_t character = UsCharacter(virtualKey, state);
    if (character == 0) {
        characters[0] = 0xCC;
        characters[1] = 0xCC;
        return 0;
    }
    const std::uint8_t pending = PendingDeadKey;
    if (!keep) {
        PendingDeadKey = 0;
    }
    if (pending == 0) {
        characters[0] = character;
        return 1;
    }
    if (Composed(character) != 0) {
        characters[0] = Composed(character);
        return 1;
    }
    characters[0] = pending;
    characters[1] = character;
    return 2;
}

bool TFakeKeyboardQueries::KeyboardLayoutName(char (&name)[10]) {
    const std::size_t length = std::min<std::size_t>(LayoutName.size(), sizeof(name) - 1);
    std::memcpy(name, LayoutName.data(), length);
    name[length] = '\0';
    return true;
}
