// The report word in the wParam of the hook library's report message: keyhook.dll builds it and
// the keyboard watch reads it. Portable, so that both sides are tested natively.
#pragma once

#include <cstdint>

// The low byte is the virtual key. Bit 8 is set when the system marked the key as injected
// (LLKHF_INJECTED: keybd_event or SendInput of any process, this one included) and clear for a
// key of a real keyboard. A virtual key fits the low byte (the sender injects 255 for a
// character the layout cannot type), so the bit never collides with one.
constexpr std::uint32_t kReportVirtualKeyMask = 0xFF;
constexpr std::uint32_t kReportInjectedBit = 1u << 8;

constexpr std::uint32_t ReportWParam(std::uint32_t virtualKey, bool injected) {
    return (virtualKey & kReportVirtualKeyMask) | (injected ? kReportInjectedBit : 0);
}
