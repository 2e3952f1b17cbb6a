// TOwnKeystrokes: the keyboard as the sender sees it, remembering every event it injected so
// that the keyboard watch can tell their echoes from the driver's keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Clock.h"
#include "platform/Keyboard.h"

class TOwnKeystrokes : public IKeyboardInput {
  public:
    // Events whose echo has not come back are forgotten after this long, or when newer ones
    // push them out.
    static constexpr std::uint32_t kEchoLifetimeMs = 2000;
    static constexpr std::size_t kCapacity = 128;

    TOwnKeystrokes(IKeyboardInput& keyboard, IClock& clock);

    // Remembers the event, then injects it.
    void KeybdEvent(std::uint8_t virtualKey,
                    std::uint8_t scanCode,
                    std::uint32_t flags,
                    std::uintptr_t extraInfo) override;
    std::int16_t KeyForCharacter(std::uint8_t character) override;
    std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) override;

    // Whether an injected key event that the hook reported is the echo of one of ours; an echo
    // is taken off the list.
    bool TakeEcho(std::uint32_t virtualKey, bool released);

    std::size_t Pending() const { return Count; }

  private:
    struct TEvent {
        std::uint8_t VirtualKey;
        bool Released;
        std::uint32_t InjectedAt;  // GetTickCount
    };

    void DropExpired(std::uint32_t now);
    void DropOldest(std::size_t count);
    const TEvent& At(std::size_t age) const { return Events[(First + age) % kCapacity]; }

    IKeyboardInput& Keyboard;
    IClock& Clock;
    std::array<TEvent, kCapacity> Events{};
    std::size_t First = 0;
    std::size_t Count = 0;
};
