// Fuzzes the key-code translation over any layout's answers: at most four events per code,
// every press released within the same code (the explicit modifier codes aside), and the
// modifier codes one event each.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <vector>

#include "components/KeyCodeTranslation.h"
#include "fuzz/FuzzCheck.h"

namespace {

// A layout whose every answer comes from the fuzz input; it must never be asked to inject.
class TFuzzedLayout : public IKeyboardInput {
  public:
    explicit TFuzzedLayout(FuzzedDataProvider& input) {
        for (auto& key : Keys) {
            key = input.ConsumeIntegral<std::int16_t>();
        }
        for (auto& scanCode : ScanCodes) {
            scanCode = input.ConsumeIntegral<std::uint32_t>();
        }
    }

    void KeybdEvent(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override {
        FuzzCheck(false, "the translation injects nothing");
    }
    std::int16_t KeyForCharacter(std::uint8_t character) override { return Keys[character]; }
    std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) override {
        return ScanCodes[virtualKey & 0xFF];
    }

  private:
    std::array<std::int16_t, 256> Keys{};
    std::array<std::uint32_t, 256> ScanCodes{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The codes first, so that short inputs still translate something.
    const std::vector<std::uint8_t> codes =
        input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 64));
    bool modifierHeld = input.ConsumeBool();
    TFuzzedLayout layout(input);

    for (const std::uint8_t code : codes) {
        const bool heldBefore = modifierHeld;
        const TKeyEvents events = KeyEventsForCode(code, modifierHeld, layout);
        FuzzCheck(events.Count >= 1 && events.Count <= 4, "one to four events per code");

        if (code >= KeyCode::kShiftDown) {
            const bool press = (code - KeyCode::kShiftDown) % 2 == 0;
            FuzzCheck(events.Count == 1, "a modifier code is one event");
            FuzzCheck(events.Events[0].Flags == (press ? kKeyEventPress : kKeyEventRelease),
                      "even modifier codes press, odd ones release");
            FuzzCheck(modifierHeld == press, "the modifier flag follows the last modifier code");
            continue;
        }

        FuzzCheck(modifierHeld == heldBefore, "only modifier codes change the modifier flag");
        // Presses and releases nest: each release closes the latest open press of its key.
        std::vector<std::uint8_t> open;
        for (int i = 0; i < events.Count; ++i) {
            const TKeyEvent& event = events.Events[static_cast<std::size_t>(i)];
            FuzzCheck(event.Flags == kKeyEventPress || event.Flags == kKeyEventRelease,
                      "an event is a press or a release");
            if (event.Flags == kKeyEventPress) {
                open.push_back(event.VirtualKey);
            } else {
                FuzzCheck(!open.empty() && open.back() == event.VirtualKey,
                          "a release closes the latest press of its key");
                open.pop_back();
            }
        }
        FuzzCheck(open.empty(), "every press has its release");
    }
    return 0;
}
