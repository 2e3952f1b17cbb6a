// The key-code table: virtual key, scan code, automatic Shift and modifier flag of each code.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/KeyCodeTranslation.h"
#include "tests/fakes/FakeKeyboard.h"

namespace {

std::vector<TKeyEvent> EventsOf(std::uint8_t code, bool& modifierHeld, IKeyboardInput& layout) {
    const TKeyEvents events = KeyEventsForCode(code, modifierHeld, layout);
    return {events.Events.begin(), events.Events.begin() + events.Count};
}

std::vector<TKeyEvent> Tap(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {{virtualKey, scanCode, kKeyEventPress}, {virtualKey, scanCode, kKeyEventRelease}};
}

std::vector<TKeyEvent> Shifted(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {{16, 42, kKeyEventPress},
            {virtualKey, scanCode, kKeyEventPress},
            {virtualKey, scanCode, kKeyEventRelease},
            {16, 42, kKeyEventRelease}};
}

struct TCodeCase {
    const char* Name;
    std::uint8_t Code;
    std::vector<TKeyEvent> Expected;
};

// A layout whose every character needs Ctrl and Alt (shift state 6) on virtual key 0x51, and
// whose Shift maps to scan code 54 (the right Shift's), so that the automatic Shift's fixed 42
// and a looked-up scan code differ. Its Hangul key (virtual key 21) has a scan code above 127,
// 0xF2, as on a Korean keyboard.
class TAltGrLayout : public TFakeKeyboard {
  public:
    std::int16_t KeyForCharacter(std::uint8_t) override { return 0x0651; }
    std::uint32_t ScanCodeForVirtualKey(std::uint32_t virtualKey) override {
        if (virtualKey == 21) {
            return 0xF2;
        }
        return virtualKey == 16 ? 54 : TFakeKeyboard::ScanCodeForVirtualKey(virtualKey);
    }
};

}  // namespace

TEST(KeyCodeTranslationTest, EachCodeWithNoModifierHeldGivesItsEvents) {
    const std::vector<TCodeCase> cases = {
        {"a letter", 'a', Tap(65, 30)},
        {"a capital gets Shift around it", 'A', Shifted(65, 30)},
        {"a shifted symbol", '!', Shifted(49, 2)},
        {"space", ' ', Tap(32, 57)},
        {"DEL needs Ctrl in the layout but gets Shift alone", 127, Shifted(8, 14)},
        {"a byte the layout cannot type is virtual key 255 with Shift", 0xC0, Shifted(255, 0)},
        {"Enter is virtual key 13", 13, Tap(13, 28)},
        {"code 0 is virtual key 0", 0, Tap(0, 0)},
        {"code 16 taps Shift", 16, Tap(16, 42)},
        {"code 17 taps Ctrl", 17, Tap(17, 29)},
        {"F1", 228, Tap(112, 59)},
        {"F10", 237, Tap(121, 68)},
        {"F12", 239, Tap(123, 88)},
        {"Home", 240, Tap(36, 71)},
        {"End", 241, Tap(35, 79)},
        {"Up", 242, Tap(38, 72)},
        {"Down", 243, Tap(40, 80)},
        {"Left", 244, Tap(37, 75)},
        {"Right", 245, Tap(39, 77)},
        {"Page Up", 246, Tap(33, 73)},
        {"Page Down", 247, Tap(34, 81)},
        {"Insert", 248, Tap(45, 82)},
        {"Delete", 249, Tap(46, 83)},
        {"the last character code", 227, Shifted(255, 0)},
    };
    for (const TCodeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFakeKeyboard layout;
        bool modifierHeld = false;
        EXPECT_EQ(EventsOf(c.Code, modifierHeld, layout), c.Expected);
        EXPECT_FALSE(modifierHeld);
    }
}

TEST(KeyCodeTranslationTest, ModifierCodesPressOrReleaseAndSetTheSingleFlag) {
    const std::vector<TCodeCase> cases = {
        {"Shift down", 250, {{16, 42, kKeyEventPress}}},
        {"Shift up", 251, {{16, 42, kKeyEventRelease}}},
        {"Ctrl down", 252, {{17, 29, kKeyEventPress}}},
        {"Ctrl up", 253, {{17, 29, kKeyEventRelease}}},
        {"Alt down", 254, {{18, 56, kKeyEventPress}}},
        {"Alt up", 255, {{18, 56, kKeyEventRelease}}},
    };
    for (const TCodeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const bool before : {false, true}) {
            TFakeKeyboard layout;
            bool modifierHeld = before;
            EXPECT_EQ(EventsOf(c.Code, modifierHeld, layout), c.Expected);
            EXPECT_EQ(modifierHeld, c.Code % 2 == 0);
        }
    }
}

TEST(KeyCodeTranslationTest, HeldModifierSuppressesTheAutomaticShiftAndIsLeftAsItWas) {
    TFakeKeyboard layout;
    bool modifierHeld = true;
    EXPECT_EQ(EventsOf('A', modifierHeld, layout), Tap(65, 30));
    EXPECT_EQ(EventsOf(0xC0, modifierHeld, layout), Tap(255, 0));
    EXPECT_EQ(EventsOf(16, modifierHeld, layout), Tap(16, 42));
    EXPECT_TRUE(modifierHeld);
}

TEST(KeyCodeTranslationTest, OnlyCharacterCodesAreLookedUp) {
    TFakeKeyboard layout;
    bool modifierHeld = false;
    for (int code = 0; code < 256; ++code) {
        EventsOf(static_cast<std::uint8_t>(code), modifierHeld, layout);
    }
    ASSERT_EQ(layout.LookedUp.size(), 196u);  // 32 to 227
    EXPECT_EQ(layout.LookedUp.front(), 32);
    EXPECT_EQ(layout.LookedUp.back(), 227);
}

TEST(KeyCodeTranslationTest, AnyShiftStateGivesShiftAloneNeverCtrlOrAltWithScanCode42) {
    TAltGrLayout layout;
    bool modifierHeld = false;
    EXPECT_EQ(EventsOf('@', modifierHeld, layout), Shifted(0x51, 16));
    EXPECT_EQ(EventsOf(21, modifierHeld, layout), Tap(21, 0xF2));
    // The string's own Shift takes the layout's scan code.
    EXPECT_EQ(EventsOf(250, modifierHeld, layout), (std::vector<TKeyEvent>{{16, 54, 0}}));
}

// keybd_event's flags: 0 presses, KEYEVENTF_KEYUP (2) releases; no code below the modifiers
// leaves a key down or sets KEYEVENTF_EXTENDEDKEY (1).
TEST(KeyCodeTranslationTest, EveryCodeBelowTheModifiersReleasesWhatItPressesInReverseOrder) {
    TFakeKeyboard layout;
    for (int code = 0; code < 250; ++code) {
        for (const bool held : {false, true}) {
            SCOPED_TRACE(testing::Message() << "code " << code << (held ? " held" : ""));
            bool modifierHeld = held;
            const std::vector<TKeyEvent> events =
                EventsOf(static_cast<std::uint8_t>(code), modifierHeld, layout);
            ASSERT_EQ(events.size() % 2, 0u);
            for (std::size_t i = 0; i < events.size() / 2; ++i) {
                const TKeyEvent& press = events[i];
                const TKeyEvent& release = events[events.size() - 1 - i];
                EXPECT_EQ(press.Flags, 0u);
                EXPECT_EQ(release.Flags, 2u);
                EXPECT_EQ(release.VirtualKey, press.VirtualKey);
                EXPECT_EQ(release.ScanCode, press.ScanCode);
            }
        }
    }
}
