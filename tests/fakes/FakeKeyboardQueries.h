// A keyboard whose key states, names and characters the test sets, recording what was asked.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/KeyboardQueries.h"

struct TToAsciiCall {
    std::uint32_t VirtualKey;
    std::uint32_t ScanCode;
    std::uint32_t Flags;
};

class TFakeKeyboardQueries : public IKeyboardQueries {
  public:
    std::int16_t GetKeyState(std::int32_t virtualKey) override;
    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) override;
    std::int32_t ToAscii(std::uint32_t virtualKey,
                         std::uint32_t scanCode,
                         const std::uint8_t (&state)[256],
                         std::uint8_t (&characters)[2],
                         std::uint32_t flags) override;
    bool KeyboardLayoutName(char (&name)[10]) override;
    std::intptr_t GetKeyboardLayout() override { return LayoutHandle; }

    // Presses or releases a key in the thread's keyboard state, which GetKeyState,
    // GetKeyboardState and ToAscii then see: the top bit while it is down and, as the system
    // keeps it for every key, the low bit toggled at each press.
    void SetDown(std::uint8_t virtualKey, bool down);

    // Names by scan code and extended bit (bits 16 to 24 of the flags word: 0x11D is the right
    // Ctrl, 0x1D the left); other keys have no name.
    std::map<std::uint16_t, std::string> Names;
    std::string LayoutName = "00000409";
    std::intptr_t LayoutHandle = 0x04090409;

    // The virtual keys whose state was asked for, in order, and every ToAscii call.
    std::vector<std::int32_t> KeyStateQueries;
    std::vector<TToAsciiCall> ToAsciiCalls;

  private:
    std::uint8_t State[256] = {};
};
