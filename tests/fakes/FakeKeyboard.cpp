// The fake keyboard: a recording of injected events over the real US layout tables.
#include "tests/fakes/FakeKeyboard.h"

#include "tests/fakes/LayoutUs.h"

void TFakeKeyboard::KeybdEvent(std::uint8_t virtualKey,
                               std::uint8_t scanCode,
                               std::uint32_t flags,
                               std::uintptr_t extraInfo) {
    Events.push_back({virtualKey, scanCode, flags, extraInfo});
    if (OnEvent) {
        OnEvent(Events.back());
    }
}

std::int16_t TFakeKeyboard::KeyForCharacter(std::uint8_t character) {
    LookedUp.push_back(character);
    return kUsVkKeyScan[character];
}

std::uint32_t TFakeKeyboard::ScanCodeForVirtualKey(std::uint32_t virtualKey) {
    return virtualKey < kUsScanCodes.size() ? kUsScanCodes[virtualKey] : 0;
}
