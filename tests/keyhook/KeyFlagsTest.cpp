// The hook's flags word: layout of each bit and the previous state kept per key.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "keyhook/KeyFlags.h"

namespace {

constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kVkB = 0x42;

// `capsLockOn`: the system's toggle as the event comes.
TLowLevelKey Down(std::uint32_t virtualKey, std::uint32_t scanCode, bool capsLockOn = false) {
    return {virtualKey, scanCode, false, false, false, capsLockOn};
}

TLowLevelKey Up(std::uint32_t virtualKey, std::uint32_t scanCode, bool capsLockOn = false) {
    return {virtualKey, scanCode, false, false, true, capsLockOn};
}

TEST(KeyFlagsTest, PressRepeatsAndReleaseOfOneKeyCarryThePreviousState) {
    TKeyFlagsBuilder builder;
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x401E0001u);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x401E0001u);
    EXPECT_EQ(builder.Flags(Up(kVkA, 0x1E)), 0xC01E0001u);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u) << "a new press after the release";
}

TEST(KeyFlagsTest, EachKeyKeepsItsOwnDownState) {
    TKeyFlagsBuilder builder;
    builder.Flags(Down(kVkA, 0x1E));
    EXPECT_EQ(builder.Flags(Down(kVkB, 0x30)), 0x00300001u);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x401E0001u);
    EXPECT_EQ(builder.Flags(Up(kVkB, 0x30)), 0xC0300001u);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x401E0001u);
}

TEST(KeyFlagsTest, AReleaseWithoutAPressStillHasThePreviousStateBit) {
    TKeyFlagsBuilder builder;
    EXPECT_EQ(builder.Flags(Up(kVkA, 0x1E)), 0xC01E0001u);
}

TEST(KeyFlagsTest, ExtendedAltAndScanCodeLandInTheirBits) {
    struct TCase {
        const char* Label;
        TLowLevelKey Key;
        std::uint32_t Flags;
    };
    const TCase cases[] = {
        {"right arrow", {0x27, 0x4D, true, false, false, false}, 0x014D0001u},
        {"Alt+F4", {0x73, 0x3E, false, true, false, false}, 0x203E0001u},
        {"Alt+right arrow released", {0x27, 0x4D, true, true, true, false}, 0xE14D0001u},
        {"injected without a scan code", {0x41, 0, false, false, false, false}, 0x00000001u},
        {"scan code above a byte", {0x41, 0x11E, false, false, false, false}, 0x001E0001u},
        {"virtual key above a byte", {0x141, 0x1E, false, false, false, false}, 0x001E0001u},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Label);
        TKeyFlagsBuilder builder;
        EXPECT_EQ(builder.Flags(test.Key), test.Flags);
    }
}

TEST(KeyFlagsTest, AnAltKeyHeldGivesTheContextBitWithoutTheHooksAltFlag) {
    for (std::uint32_t alt : {0x12u, 0xA4u, 0xA5u}) {
        SCOPED_TRACE("Alt key " + std::to_string(alt));
        TKeyFlagsBuilder builder;
        EXPECT_EQ(builder.Flags(Down(alt, 0x38)), 0x20380001u) << "the Alt key's own press";
        EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x201E0001u);
        EXPECT_EQ(builder.Flags(Up(kVkA, 0x1E)), 0xE01E0001u);
        EXPECT_EQ(builder.Flags(Up(alt, 0x38)), 0xC0380001u) << "the Alt key's release";
        EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u);
    }
}

// The report word's key state after each event: each side of Shift, Ctrl and Alt while it is
// down (a generic key as the left one), and the system's Caps Lock toggle as the event came,
// flipped by a press of Caps Lock but not by its auto-repeats (the system flips its own only
// after the hooks). A change the hook never saw shows at the next event.
TEST(KeyFlagsTest, TheKeyStateFollowsEachModifierAndTheCapsLockToggle) {
    constexpr std::uint32_t kCaps = kReportCapsLockBit;
    struct TStep {
        TLowLevelKey Key;
        std::uint32_t KeyState;
    };
    const std::vector<TStep> steps = {
        {Down(0xA0, 0x2A, true), kCaps | kReportLeftShiftBit},
        {Down(0xA1, 0x36, true), kCaps | kReportShiftBits},
        {Up(0xA0, 0x2A, true), kCaps | kReportRightShiftBit},
        {Up(0xA1, 0x36, true), kCaps},
        {Down(0x10, 0x2A, true), kCaps | kReportLeftShiftBit},
        {Up(0x10, 0x2A, true), kCaps},
        {Down(0xA2, 0x21D, true), kCaps | kReportLeftCtrlBit},  // AltGr: left Ctrl and right Alt
        {Down(0xA5, 0x38, true), kCaps | kReportLeftCtrlBit | kReportRightAltBit},
        {Down(0xA3, 0x1D, true), kCaps | kReportCtrlBits | kReportRightAltBit},
        {Down(0xA4, 0x38, true), kCaps | kReportCtrlBits | kReportAltBits},
        {Down(0x14, 0x3A, true), kReportCtrlBits | kReportAltBits},  // Caps Lock was on: now off
        {Up(0x14, 0x3A, false), kReportCtrlBits | kReportAltBits},
        {Down(0x14, 0x3A, false), kCaps | kReportCtrlBits | kReportAltBits},
        {Down(0x14, 0x3A, true), kCaps | kReportCtrlBits | kReportAltBits},  // an auto-repeat
        {Up(0x14, 0x3A, true), kCaps | kReportCtrlBits | kReportAltBits},
        {Down(0x41, 0x1E, false), kReportCtrlBits | kReportAltBits},  // off out of the hook's sight
    };
    TKeyFlagsBuilder builder;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        builder.Flags(steps[i].Key);
        EXPECT_EQ(builder.KeyState(), steps[i].KeyState);
    }
}

// Answers as GetAsyncKeyState does: the top bit while a key is down, and a low bit (pressed
// since the last query by anyone) that may be set while the key is up. Records the questions.
struct TFakeAsyncKeyState {
    std::int16_t State[256] = {};
    std::vector<int> Asked;

    static constexpr std::int16_t kDown = static_cast<std::int16_t>(0x8000);
    static constexpr std::int16_t kPressedSinceLastQuery = 1;

    std::int16_t operator()(int virtualKey) {
        Asked.push_back(virtualKey);
        return virtualKey >= 0 && virtualKey < 256 ? State[virtualKey] : 0;
    }
};

TEST(KeyFlagsTest, KeysReleasedOutOfSightAreForgottenAndNoLongerRepeatOrHoldAlt) {
    constexpr std::uint32_t kVkLeftMenu = 0xA4;
    constexpr std::uint32_t kVkLeftControl = 0xA2;
    TKeyFlagsBuilder builder;
    TFakeAsyncKeyState system;
    // Ctrl+Alt+Del: the presses are seen, the releases happen on the secure desktop.
    builder.Flags(Down(kVkLeftControl, 0x1D));
    builder.Flags(Down(kVkLeftMenu, 0x38));
    builder.Flags(Down(kVkA, 0x1E));
    builder.Flags(Down(0xFF, 0));  // the sender's key for a character the layout cannot type
    EXPECT_EQ(builder.Flags(Down(kVkB, 0x30)), 0x20300001u) << "Alt is held";
    builder.Flags(Up(kVkB, 0x30));
    system.State[kVkA] = TFakeAsyncKeyState::kPressedSinceLastQuery;  // up, for all that
    builder.ForgetReleasedKeys(system);
    EXPECT_EQ(system.Asked, (std::vector<int>{0x41, 0xA2, 0xA4, 0xFF})) << "only the keys down";
    EXPECT_EQ(builder.Flags(Down(kVkB, 0x30)), 0x00300001u) << "no Alt bit any more";
    EXPECT_EQ(builder.KeyState(), 0u) << "nor Ctrl and Alt in the report";
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u) << "a first press, not a repeat";
    EXPECT_EQ(builder.Flags(Down(0xFF, 0)), 0x00000001u) << "the last key code too";
}

TEST(KeyFlagsTest, KeysStillDownSurviveTheSweep) {
    TKeyFlagsBuilder builder;
    TFakeAsyncKeyState system;
    system.State[kVkA] = TFakeAsyncKeyState::kDown | TFakeAsyncKeyState::kPressedSinceLastQuery;
    builder.Flags(Down(kVkA, 0x1E));
    builder.ForgetReleasedKeys(system);
    builder.ForgetReleasedKeys(system);
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x401E0001u) << "an auto-repeat";
    // A key released and seen released needs no question at all.
    builder.Flags(Up(kVkA, 0x1E));
    system.Asked.clear();
    builder.ForgetReleasedKeys(system);
    EXPECT_TRUE(system.Asked.empty());
}

TEST(KeyFlagsTest, ClearForgetsTheKeysThatAreDown) {
    TKeyFlagsBuilder builder;
    builder.Flags(Down(kVkA, 0x1E));
    builder.Clear();
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u);
}

}  // namespace
