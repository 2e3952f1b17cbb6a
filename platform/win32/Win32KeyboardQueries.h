// IKeyboardQueries over user32's key state, key name, translation and layout calls.
#pragma once

#include "platform/KeyboardQueries.h"

class TWin32KeyboardQueries : public IKeyboardQueries {
  public:
    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) override;
    std::int32_t ToAscii(std::uint32_t virtualKey,
                         std::uint32_t scanCode,
                         const std::uint8_t (&state)[256],
                         std::uint8_t (&characters)[2],
                         std::uint32_t flags) override;
    bool KeepsDeadKeyState() override;
    bool KeyboardLayoutName(char (&name)[10]) override;
    std::intptr_t GetKeyboardLayout() override;
};
