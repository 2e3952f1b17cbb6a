// Fuzzes the keyboard watch's decoding of hook reports over the fake keyboard: every report
// reaches OnKey once, with the flags word's bits, the report word's modifiers, a counted
// auto-repeat and a name that ends within its record.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "components/CPKeyHook.h"
#include "fuzz/FuzzCheck.h"
#include "platform/KeyReport.h"
#include "tests/fakes/FakeKeyboardQueries.h"
#include "tests/fakes/FakeWindows.h"

namespace {

constexpr std::uint8_t kVkShift = 16;
constexpr std::uint8_t kVkControl = 17;

bool Bit(std::uint32_t flags, int bit) {
    return ((flags >> bit) & 1u) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    TFakeKeyboardQueries keyboard;
    const std::size_t nameCount = input.ConsumeIntegralInRange<std::size_t>(0, 4);
    for (std::size_t i = 0; i < nameCount; ++i) {
        // Names are keyed by scan code and extended bit, as GetKeyNameTextA reads them.
        const auto key = static_cast<std::uint16_t>(input.ConsumeIntegral<std::uint16_t>() & 0x1FF);
        keyboard.Names[key] = input.ConsumeRandomLengthString(300);
    }
    TFakeHiddenWindows windows;
    TFakeKeyboardHookLibrary library{windows.Journal};
    TCPKeyHook hook(nullptr, keyboard, library, windows);
    TFakeHiddenWindow* window = windows.Last;

    int reports = 0;
    TKeyStates states{};
    TKeyNames names{};
    hook.OnKey = [&](TComponent*, TKeyStates aKeyStates, TKeyNames aKeyNames) {
        ++reports;
        states = aKeyStates;
        names = aKeyNames;
    };

    std::int32_t repeats = 0;
    int sent = 0;
    while (input.remaining_bytes() > 0) {
        // Now and then a modifier goes down or up between reports in the thread's own state,
        // which the decoding must not read.
        if (input.ConsumeBool()) {
            keyboard.SetDown(input.ConsumeBool() ? kVkShift : kVkControl, input.ConsumeBool());
        }
        const auto virtualKey = input.ConsumeIntegral<std::uintptr_t>();
        const auto lParam = input.ConsumeIntegral<std::intptr_t>();
        const auto flags = static_cast<std::uint32_t>(lParam);
        if (input.ConsumeBool()) {
            window->Send(
                TCPKeyHook::kHookMessage + input.ConsumeIntegralInRange<std::uint32_t>(1, 3),
                virtualKey, lParam);
            FuzzCheck(reports == sent, "other messages are not reports");
            continue;
        }

        FuzzCheck(window->Send(TCPKeyHook::kHookMessage, virtualKey, lParam) == 0,
                  "a report is answered with 0");
        ++sent;
        FuzzCheck(reports == sent, "every report reaches OnKey once");

        const bool keyDown = !Bit(flags, 31);
        const bool wasDown = Bit(flags, 30);
        repeats = keyDown && wasDown ? repeats + 1 : 0;
        FuzzCheck(states.KeyDown == keyDown, "key down is the transition bit clear");
        FuzzCheck(states.WasDown == wasDown, "was down is the previous-state bit");
        FuzzCheck(states.AltDown == Bit(flags, 29), "Alt is the context bit");
        FuzzCheck(states.MenuActive == Bit(flags, 28), "menu active is bit 28");
        FuzzCheck(states.Extended == Bit(flags, 24), "extended is bit 24");
        FuzzCheck(states.Synthetic == (flags == 0x00000001 || flags == 0xC0000001),
                  "synthetic is a bare press or release");
        FuzzCheck(states.ShiftDown == ((virtualKey & kReportShiftBits) != 0),
                  "Shift as the report carries it, whatever the thread saw");
        FuzzCheck(states.CtrlDown == ((virtualKey & kReportCtrlBits) != 0),
                  "Ctrl as the report carries it, whatever the thread saw");
        FuzzCheck(states.RepeatCount == repeats, "auto-repeats are counted, anything else resets");
        FuzzCheck(std::memchr(names.KeyName, '\0', TKeyNames::kKeyNameSize) != nullptr,
                  "the key name ends within its record");
        const auto name = keyboard.Names.find(static_cast<std::uint16_t>((flags >> 16) & 0x1FF));
        const std::string expectedName =
            name == keyboard.Names.end() ? "" : name->second.substr(0, TKeyNames::kKeyNameSize - 1);
        FuzzCheck(std::strncmp(names.KeyName, expectedName.c_str(), TKeyNames::kKeyNameSize) == 0,
                  "the key name is the layout's name, cut to fit");
    }
    return 0;
}
