// IKeyboardInput over user32's keybd_event, VkKeyScanA and MapVirtualKeyA.
#pragma once

#include "platform/Keyboard.h"

class TWin32Keyboard : public IKeyboardInput {
  public:
    void KeybdEvent(std::uint8_t virtualKey,
                    std::uint8_t scanCode,
                    std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::int16_t KeyForCharacter(std::uint8_t character) override;
    std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) override;
};
