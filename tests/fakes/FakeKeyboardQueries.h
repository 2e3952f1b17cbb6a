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
    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) override;
    std::int32_t ToAscii(std::uint32_t virtualKey,
                         std::uint32_t scanCode,
                         const std::uint8_t (&state)[256],
                         std::uint8_t (&characters)[2],
                         std::uint32_t flags) override;
    bool KeepsDeadKeyState() override { return KeepsDeadKeys; }
    bool KeyboardLayoutName(char (&name)[10]) override;
    std::intptr_t GetKeyboardLayout() override { return LayoutHandle; }

    // The program's own thread takes a key message of this key from its queue, as it does only
    // while one of its windows has the focus: GetKeyboardState then shows it down (or up), and a
    // press toggles its low bit. Nothing else changes the thread's state: as on Windows, the
    // keys typed into the simulation never do (under Wine they would).
    void SetDown(std::uint8_t virtualKey, bool down);

    // Names by scan code and extended bit (bits 16 to 24 of the flags word: 0x11D is the right
    // Ctrl, 0x1D the left); other keys have no name.
    std::map<std::uint16_t, std::string> Names;
    std::string LayoutName = "00000409";
    std::intptr_t LayoutHandle = 0x04090409;

    // A dead key of the layout (0: none; the US layout has none) and its spacing character:
    // it composes with a vowel that follows, and otherwise both come out.
    std::uint8_t DeadKey = 0;
    std::uint8_t DeadKeyCharacter = '^';
    // The layout's dead-key state, shared with the window the keys are typed into: the dead
    // key waiting for the next key, 0 for none.
    std::uint8_t PendingDeadKey = 0;
    // Windows 10 1607 and later: flag kKeepDeadKeyState is honoured; before, it is ignored.
    bool KeepsDeadKeys = true;

    // Every ToAscii call.
    std::vector<TToAsciiCall> ToAsciiCalls;

  private:
    std::uint8_t State[256] = {};
};
