// Synthesized keyboard input and the current layout's key lookups.
#pragma once

#include <cstdint>

// The extra information that every key event of the program's own carries, so that its own
// windows can tell the keys it types from the driver's and drop them (Win32: keybd_event's
// dwExtraInfo, which GetMessageExtraInfo returns to the thread that takes the key message).
// The keys of a real keyboard carry 0. "QuWt" in ASCII.
inline constexpr std::uintptr_t kOwnKeystrokeMark = 0x51755774;

class IKeyboardInput {
  public:
    virtual ~IKeyboardInput() = default;

    // Injects one key event into the system's input stream, as if it came from the keyboard;
    // the window with the keyboard focus receives it (Win32: keybd_event). flags: 0 a press,
    // 2 (KEYEVENTF_KEYUP) a release. Reports no failure. Does not run the message loop.
    virtual void KeybdEvent(std::uint8_t virtualKey,
                            std::uint8_t scanCode,
                            std::uint32_t flags,
                            std::uintptr_t extraInfo) = 0;

    // The virtual key (low byte) and shift state (high byte) that type the 8-bit character in
    // the current layout; -1 (all ones) when the layout has no key for it (Win32: VkKeyScanA).
    virtual std::int16_t KeyForCharacter(std::uint8_t character) = 0;

    // The scan code of a virtual key in the current layout, 0 when there is none
    // (Win32: MapVirtualKeyA with map type 0, MAPVK_VK_TO_VSC).
    virtual std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) = 0;
};
