// The fake keyboard queries: the US layout's characters, shifted by the keyboard state.
#include "tests/fakes/FakeKeyboardQueries.h"

#include <algorithm>
#include <cstring>

#include "tests/fakes/LayoutUs.h"

namespace {
constexpr std::uint8_t kDownBit = 0x80;
constexpr std::uint8_t kToggledBit = 0x01;
constexpr std::uint8_t kVkShift = 16;
constexpr int kShiftState = 0x100;  // VkKeyScanA's high byte 1: Shift
constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
}  // namespace

void TFakeKeyboardQueries::SetDown(std::uint8_t virtualKey, bool down) {
    std::uint8_t toggled = State[virtualKey] & kToggledBit;
    if (down && (State[virtualKey] & kDownBit) == 0) {
        toggled ^= kToggledBit;
    }
    State[virtualKey] = static_cast<std::uint8_t>((down ? kDownBit : 0) | toggled);
}

// GetKeyState: negative while the key is down, and the low bit is the toggle state, so a key
// that is up can answer 1.
std::int16_t TFakeKeyboardQueries::GetKeyState(std::int32_t virtualKey) {
    KeyStateQueries.push_back(virtualKey);
    const std::uint8_t state = State[virtualKey & 0xFF];
    return static_cast<std::int16_t>(((state & kDownBit) != 0 ? -128 : 0) | (state & kToggledBit));
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

// The US layout's characters (the inverse of its VkKeyScanA table) and the control characters
// of Backspace, Tab, Enter and Esc, shifted by the keyboard state it is given: the thread's, which
// never sees a Shift that was only injected. For a key without a character the buffer is left
// with junk in it, as ToAscii may leave it when it returns 0.
std::int32_t TFakeKeyboardQueries::ToAscii(std::uint32_t virtualKey,
                                           std::uint32_t scanCode,
                                           const std::uint8_t (&state)[256],
                                           std::uint8_t (&characters)[2],
                                           std::uint32_t flags) {
    ToAsciiCalls.push_back({virtualKey, scanCode, flags});
    if (virtualKey == 8 || virtualKey == 9 || virtualKey == 13 || virtualKey == 27) {
        characters[0] = static_cast<std::uint8_t>(virtualKey);
        return 1;
    }
    const bool shifted = (state[kVkShift] & kDownBit) != 0;
    const int wanted = static_cast<int>(virtualKey) | (shifted ? kShiftState : 0);
    for (int character = kFirstPrintable; character <= kLastPrintable; ++character) {
        if (kUsVkKeyScan[static_cast<std::size_t>(character)] == wanted) {
            characters[0] = static_cast<std::uint8_t>(character);
            return 1;
        }
    }
    characters[0] = 0xCC;
    characters[1] = 0xCC;
    return 0;
}

bool TFakeKeyboardQueries::KeyboardLayoutName(char (&name)[10]) {
    const std::size_t length = std::min<std::size_t>(LayoutName.size(), sizeof(name) - 1);
    std::memcpy(name, LayoutName.data(), length);
    name[length] = '\0';
    return true;
}
