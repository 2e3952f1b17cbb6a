// The hook's flags word: layout of each bit and the previous state kept per key.
#include <gtest/gtest.h>

#include <string>

#include "keyhook/KeyFlags.h"

namespace {

constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kVkB = 0x42;

TLowLevelKey Down(std::uint32_t virtualKey, std::uint32_t scanCode) {
    return {virtualKey, scanCode, false, false, false};
}

TLowLevelKey Up(std::uint32_t virtualKey, std::uint32_t scanCode) {
    return {virtualKey, scanCode, false, false, true};
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
        {"right arrow", {0x27, 0x4D, true, false, false}, 0x014D0001u},
        {"Alt+F4", {0x73, 0x3E, false, true, false}, 0x203E0001u},
        {"Alt+right arrow released", {0x27, 0x4D, true, true, true}, 0xE14D0001u},
        {"injected without a scan code", {0x41, 0, false, false, false}, 0x00000001u},
        {"scan code above a byte", {0x41, 0x11E, false, false, false}, 0x001E0001u},
        {"virtual key above a byte", {0x141, 0x1E, false, false, false}, 0x001E0001u},
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

TEST(KeyFlagsTest, ClearForgetsTheKeysThatAreDown) {
    TKeyFlagsBuilder builder;
    builder.Flags(Down(kVkA, 0x1E));
    builder.Clear();
    EXPECT_EQ(builder.Flags(Down(kVkA, 0x1E)), 0x001E0001u);
}

}  // namespace
