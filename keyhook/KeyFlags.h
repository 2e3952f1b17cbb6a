// Builds the flags word of a key message from a low-level keyboard event; portable, so that it
// is tested natively.
#pragma once

#include <cstdint>

// What a low-level keyboard hook learns of one key event (KBDLLHOOKSTRUCT).
struct TLowLevelKey {
    std::uint32_t VirtualKey;
    std::uint32_t ScanCode;
    bool Extended;  // LLKHF_EXTENDED
    bool AltDown;   // LLKHF_ALTDOWN
    bool Released;  // LLKHF_UP
};

// The low-level hook reports no previous key state, so the builder keeps one down flag per
// virtual key: a key-down of a key already down is an auto-repeat. The same table tells whether
// an Alt key is held: Wine's hook never sets LLKHF_ALTDOWN (it only reports WM_SYSKEYDOWN),
// so the context bit is set when either source says so. Not thread-safe: one hook thread owns
// it. Allocates nothing.
class TKeyFlagsBuilder {
  public:
    // The lParam of the WM_KEYDOWN/WM_KEYUP that the event stands for: repeat count 1, scan
    // code in bits 16 to 23, extended key bit 24, context (Alt held) bit 29, previous state
    // bit 30, transition bit 31 (set on a release).
    std::uint32_t Flags(const TLowLevelKey& key) noexcept {
        const std::uint32_t index = key.VirtualKey & 0xFF;
        const bool wasDown = KeyIsDown[index];
        KeyIsDown[index] = !key.Released;
        const bool altHeld =
            key.AltDown || KeyIsDown[kVkMenu] || KeyIsDown[kVkLeftMenu] || KeyIsDown[kVkRightMenu];
        // A release always has the previous-state bit: the key was down before it.
        return kRepeatCountOne | ((key.ScanCode & 0xFF) << 16) | (key.Extended ? kExtended : 0) |
               (altHeld ? kContext : 0) | (wasDown || key.Released ? kPreviousState : 0) |
               (key.Released ? kTransition : 0);
    }

    // Forgets which keys are down, for a new run of reports.
    void Clear() noexcept {
        for (bool& down : KeyIsDown) {
            down = false;
        }
    }

  private:
    static constexpr std::uint32_t kVkMenu = 0x12;
    static constexpr std::uint32_t kVkLeftMenu = 0xA4;
    static constexpr std::uint32_t kVkRightMenu = 0xA5;
    static constexpr std::uint32_t kRepeatCountOne = 1;
    static constexpr std::uint32_t kExtended = 1u << 24;
    static constexpr std::uint32_t kContext = 1u << 29;
    static constexpr std::uint32_t kPreviousState = 1u << 30;
    static constexpr std::uint32_t kTransition = 1u << 31;

    bool KeyIsDown[256] = {};
};
