// The key-code table: which virtual key, scan code and automatic Shift each byte gets.
#include "components/KeyCodeTranslation.h"

namespace {

constexpr std::array<std::uint8_t, 10> kNavigationKeys = {
    36,  // 240 Home
    35,  // 241 End
    38,  // 242 Up
    40,  // 243 Down
    37,  // 244 Left
    39,  // 245 Right
    33,  // 246 Page Up
    34,  // 247 Page Down
    45,  // 248 Insert
    46,  // 249 Delete
};
constexpr std::array<std::uint8_t, 3> kModifierKeys = {16, 17, 18};  // Shift, Ctrl, Alt

constexpr std::uint8_t kVkShift = 16;
constexpr std::uint8_t kLeftShiftScanCode = 42;

// F1 is code 228 and VK_F1 is 112.
constexpr int kFunctionKeyOffset = KeyCode::kF1 - 112;

std::uint8_t ScanCodeOf(std::uint8_t virtualKey, IKeyboardInput& layout) {
    return static_cast<std::uint8_t>(layout.ScanCodeForVirtualKey(virtualKey) & 0xFF);
}

void Add(TKeyEvents& events, std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
    events.Events[static_cast<std::size_t>(events.Count++)] = {virtualKey, scanCode, flags};
}

}  // namespace

TKeyEvents KeyEventsForCode(std::uint8_t code, bool& modifierHeld, IKeyboardInput& layout) {
    TKeyEvents events;

    if (code >= KeyCode::kShiftDown) {
        // Even codes press, odd codes release; one flag stands for all three modifiers, so it
        // tells only what the last modifier code did.
        const int k = code - KeyCode::kShiftDown;
        modifierHeld = (k % 2) == 0;
        const std::uint8_t virtualKey = kModifierKeys[static_cast<std::size_t>(k / 2)];
        Add(events, virtualKey, ScanCodeOf(virtualKey, layout),
            modifierHeld ? kKeyEventPress : kKeyEventRelease);
        return events;
    }

    std::uint16_t lookup = 0;
    std::uint8_t virtualKey;
    if (code >= KeyCode::kFirstNavigation) {
        virtualKey = kNavigationKeys[code - KeyCode::kFirstNavigation];
    } else if (code >= KeyCode::kF1) {
        virtualKey = static_cast<std::uint8_t>(code - kFunctionKeyOffset);
    } else if (code < KeyCode::kFirstCharacter) {
        virtualKey = code;
    } else {
        // VkKeyScanA answers -1 for a character the layout cannot type: virtual key 255 with a
        // non-zero shift state, so it still gets Shift around it.
        lookup = static_cast<std::uint16_t>(layout.KeyForCharacter(code));
        virtualKey = static_cast<std::uint8_t>(lookup & 0xFF);
    }
    const std::uint8_t scanCode = ScanCodeOf(virtualKey, layout);

    // Any shift state (Shift, Ctrl, Alt or a mix) gets Shift alone, and only while the string
    // holds no modifier of its own.
    const bool automaticShift = !modifierHeld && (lookup >> 8) != 0;
    if (automaticShift) {
        Add(events, kVkShift, kLeftShiftScanCode, kKeyEventPress);
    }
    Add(events, virtualKey, scanCode, kKeyEventPress);
    Add(events, virtualKey, scanCode, kKeyEventRelease);
    if (automaticShift) {
        Add(events, kVkShift, kLeftShiftScanCode, kKeyEventRelease);
    }
    return events;
}
