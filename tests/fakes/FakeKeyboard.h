// A keyboard that records the injected events and answers lookups from the US layout.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Keyboard.h"

struct TInjectedKey {
    std::uint8_t VirtualKey;
    std::uint8_t ScanCode;
    std::uint32_t Flags;
    std::uintptr_t ExtraInfo;

    bool Press() const { return Flags == 0; }
    friend bool operator==(const TInjectedKey&, const TInjectedKey&) = default;
};

class TFakeKeyboard : public IKeyboardInput {
  public:
    void KeybdEvent(std::uint8_t virtualKey,
                    std::uint8_t scanCode,
                    std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::int16_t KeyForCharacter(std::uint8_t character) override;
    std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) override;

    // The characters whose VkKeyScan answer was asked for, in order.
    std::vector<std::uint8_t> LookedUp;
    std::vector<TInjectedKey> Events;
    // Runs after each injected event has been recorded, as a hook would report it.
    std::function<void(const TInjectedKey&)> OnEvent;
};
