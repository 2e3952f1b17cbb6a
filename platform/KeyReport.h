// The report word in the wParam of the hook library's report message: keyhook.dll builds it and
// the keyboard watch reads it. Portable, so that both sides are tested natively.
#pragma once

#include <cstdint>

// Bits 0 to 7: the virtual key. A virtual key fits the low byte (the sender injects 255 for a
// character the layout cannot type), so no other bit ever collides with one.
constexpr std::uint32_t kReportVirtualKeyMask = 0xFF;

// Bit 8: set when the system marked the key as injected (LLKHF_INJECTED: keybd_event or
// SendInput of any process, this one included); clear for a key of a real keyboard.
constexpr std::uint32_t kReportInjectedBit = 1u << 8;

// Bits 9 to 15: the desktop's keyboard state just after this key event, as the hook library has
// followed it through every key event of the desktop, injected ones included. The program's own
// thread cannot tell: its key state (GetKeyState, GetKeyboardState) changes only with the key
// messages it takes from its own queue, and while the simulation has the focus it takes none.
//   9, 10   left Shift, right Shift down;
//   11, 12  left Ctrl, right Ctrl down;
//   13, 14  left Alt, right Alt down (AltGr comes as the left Ctrl and the right Alt together,
//           as Windows sends it);
//   15      Caps Lock toggled on (the system's toggle, which the hook library asks at each key
//           event, so that a press it never saw counts too).
// A generic Shift, Ctrl or Alt event (VK_SHIFT, as another program may inject it) counts as the
// left key. Bits 16 to 31 are always clear.
constexpr std::uint32_t kReportLeftShiftBit = 1u << 9;
constexpr std::uint32_t kReportRightShiftBit = 1u << 10;
constexpr std::uint32_t kReportLeftCtrlBit = 1u << 11;
constexpr std::uint32_t kReportRightCtrlBit = 1u << 12;
constexpr std::uint32_t kReportLeftAltBit = 1u << 13;
constexpr std::uint32_t kReportRightAltBit = 1u << 14;
constexpr std::uint32_t kReportCapsLockBit = 1u << 15;
constexpr std::uint32_t kReportKeyStateMask = 0x7Fu << 9;

constexpr std::uint32_t kReportShiftBits = kReportLeftShiftBit | kReportRightShiftBit;
constexpr std::uint32_t kReportCtrlBits = kReportLeftCtrlBit | kReportRightCtrlBit;
constexpr std::uint32_t kReportAltBits = kReportLeftAltBit | kReportRightAltBit;

constexpr std::uint32_t ReportWParam(std::uint32_t virtualKey,
                                     bool injected,
                                     std::uint32_t keyState = 0) {
    return (virtualKey & kReportVirtualKeyMask) | (injected ? kReportInjectedBit : 0) |
           (keyState & kReportKeyStateMask);
}
