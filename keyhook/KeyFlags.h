// Builds the flags word of a key message from a low-level keyboard event; portable, so that it
// is tested natively.
#pragma once

#include <cstdint>

#include "platform/KeyReport.h"

// What a low-level keyboard hook learns of one key event (KBDLLHOOKSTRUCT), and the system's
// Caps Lock toggle as the event comes: the system updates its key state only after the hooks
// have returned, so it is the toggle before this event.
struct TLowLevelKey {
    std::uint32_t VirtualKey;
    std::uint32_t ScanCode;
    bool Extended;  // LLKHF_EXTENDED
    bool AltDown;   // LLKHF_ALTDOWN
    bool Released;  // LLKHF_UP
    bool CapsLockOn;
};

// The low-level hook reports no previous key state, so the builder keeps one down flag per
// virtual key: a key-down of a key already down is an auto-repeat. The same table tells whether
// an Alt key is held: Wine's hook never sets LLKHF_ALTDOWN (it only reports WM_SYSKEYDOWN),
// so the context bit is set when either source says so. The same table, with the Caps Lock
// toggle, gives the key-state bits of the report word. Not thread-safe: one hook thread owns
// it. Allocates nothing.
//
// The toggle is the system's, taken afresh with each event, so that a change the hook could not
// see is wrong for no key at all: a press on another desktop (the lock screen, Ctrl+Alt+Del, a
// UAC prompt) or in the window of a program with more rights, which no low-level hook hears,
// or the system's own change (with "press Shift to turn off Caps Lock", at a Shift press). The
// press of Caps Lock itself flips it, since the system's toggle changes only after the hooks.
class TKeyFlagsBuilder {
  public:
    // The lParam of the WM_KEYDOWN/WM_KEYUP that the event stands for: repeat count 1, scan
    // code in bits 16 to 23, extended key bit 24, context (Alt held) bit 29, previous state
    // bit 30, transition bit 31 (set on a release).
    std::uint32_t Flags(const TLowLevelKey& key) noexcept {
        const std::uint32_t index = key.VirtualKey & 0xFF;
        const bool wasDown = (Keys[index] & kDown) != 0;
        Keys[index] = key.Released ? 0 : kDown;
        // The system flips the toggle at each press of the key, not at its auto-repeats.
        CapsLockOn = key.CapsLockOn != (index == kVkCapital && !key.Released && !wasDown);
        const bool altHeld =
            key.AltDown || ((Keys[kVkMenu] | Keys[kVkLeftMenu] | Keys[kVkRightMenu]) & kDown) != 0;
        // A release always has the previous-state bit: the key was down before it.
        return kRepeatCountOne | ((key.ScanCode & 0xFF) << 16) | (key.Extended ? kExtended : 0) |
               (altHeld ? kContext : 0) | (wasDown || key.Released ? kPreviousState : 0) |
               (key.Released ? kTransition : 0);
    }

    // The key-state bits of the report word (KeyReport.h) just after the last event given to
    // Flags: which Shift, Ctrl and Alt keys are down, and the Caps Lock toggle.
    std::uint32_t KeyState() const noexcept {
        return (IsDown(kVkShift) || IsDown(kVkLeftShift) ? kReportLeftShiftBit : 0) |
               (IsDown(kVkRightShift) ? kReportRightShiftBit : 0) |
               (IsDown(kVkControl) || IsDown(kVkLeftControl) ? kReportLeftCtrlBit : 0) |
               (IsDown(kVkRightControl) ? kReportRightCtrlBit : 0) |
               (IsDown(kVkMenu) || IsDown(kVkLeftMenu) ? kReportLeftAltBit : 0) |
               (IsDown(kVkRightMenu) ? kReportRightAltBit : 0) |
               (CapsLockOn ? kReportCapsLockBit : 0);
    }

    // Forgets the keys that the table holds down but the system says are up. A key released
    // where the hook cannot see it (on the secure desktop of Ctrl+Alt+Del, a UAC prompt or
    // Win+L) would otherwise stay down for good: every later key would carry the Alt bit and
    // the key's next press would pass for an auto-repeat. `asyncKeyState(virtualKey)` answers
    // as GetAsyncKeyState does: negative while the key is down; its low bit (pressed since the
    // last query, shared by every program) says nothing about now. It is asked only about the
    // keys held down, since each question is a call into the system. It must be called from
    // the hook procedure, before the event is given to Flags: the system takes in one key
    // event at a time and updates its state after the hooks have returned, so there it holds
    // every event before this one, and not yet this one (a key pressed again after a release
    // the hook missed is then forgotten first, and its press is no auto-repeat).
    template <typename TAsyncKeyState>
    void ForgetReleasedKeys(TAsyncKeyState&& asyncKeyState) noexcept {
        for (std::uint32_t virtualKey = 0; virtualKey < 256; ++virtualKey) {
            std::uint8_t& key = Keys[virtualKey];
            if (key == kDown && asyncKeyState(static_cast<int>(virtualKey)) >= 0) {
                key = 0;
            }
        }
    }

    // Forgets which keys are down, for a new run of reports.
    void Clear() noexcept {
        for (std::uint8_t& key : Keys) {
            key = 0;
        }
    }

  private:
    bool IsDown(std::uint32_t virtualKey) const noexcept { return (Keys[virtualKey] & kDown) != 0; }

    static constexpr std::uint32_t kVkShift = 0x10;
    static constexpr std::uint32_t kVkControl = 0x11;
    static constexpr std::uint32_t kVkMenu = 0x12;
    static constexpr std::uint32_t kVkCapital = 0x14;
    static constexpr std::uint32_t kVkLeftShift = 0xA0;
    static constexpr std::uint32_t kVkRightShift = 0xA1;
    static constexpr std::uint32_t kVkLeftControl = 0xA2;
    static constexpr std::uint32_t kVkRightControl = 0xA3;
    static constexpr std::uint32_t kVkLeftMenu = 0xA4;
    static constexpr std::uint32_t kVkRightMenu = 0xA5;
    static constexpr std::uint32_t kRepeatCountOne = 1;
    static constexpr std::uint32_t kExtended = 1u << 24;
    static constexpr std::uint32_t kContext = 1u << 29;
    static constexpr std::uint32_t kPreviousState = 1u << 30;
    static constexpr std::uint32_t kTransition = 1u << 31;
    static constexpr std::uint8_t kDown = 1;  // the last event seen was a key-down

    std::uint8_t Keys[256] = {};
    bool CapsLockOn = false;
};
