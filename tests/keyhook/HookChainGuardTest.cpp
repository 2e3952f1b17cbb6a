// One event that reaches two of the program's hooks is reported once; other events are not
// mistaken for it.
#include <gtest/gtest.h>

#include <optional>

#include "keyhook/HookChainGuard.h"

namespace {

constexpr TLowLevelEventId kPressA{0x41, 0x1E, 0, 5000, 0};

TEST(HookChainGuardTest, TheEventBeingPassedOnIsRecognisedWhenItComesRoundAgain) {
    THookChainGuard guard;
    EXPECT_FALSE(guard.IsPassingOn(kPressA));
    {
        const THookChainGuard::TPassingOn passing(guard, kPressA);
        EXPECT_TRUE(guard.IsPassingOn(kPressA));
    }
    EXPECT_FALSE(guard.IsPassingOn(kPressA)) << "the same event again later is a new one";
}

TEST(HookChainGuardTest, EventsThatDifferInAnyFieldAreReported) {
    THookChainGuard guard;
    const THookChainGuard::TPassingOn passing(guard, kPressA);
    const TLowLevelEventId others[] = {
        {0x42, 0x1E, 0, 5000, 0}, {0x41, 0x1F, 0, 5000, 0}, {0x41, 0x1E, 0x80, 5000, 0},
        {0x41, 0x1E, 0, 5001, 0}, {0x41, 0x1E, 0, 5000, 1},
    };
    for (const TLowLevelEventId& other : others) {
        EXPECT_FALSE(guard.IsPassingOn(other));
    }
}

TEST(HookChainGuardTest, AnOuterEventIsStillKnownInsideAnotherThatArrivedMeanwhile) {
    THookChainGuard guard;
    constexpr TLowLevelEventId kInjectedB{0x42, 0, 0x10, 5002, 7};
    std::optional<THookChainGuard::TPassingOn> outer;
    outer.emplace(guard, kPressA);
    {
        const THookChainGuard::TPassingOn inner(guard, kInjectedB);
        EXPECT_TRUE(guard.IsPassingOn(kPressA));
        EXPECT_TRUE(guard.IsPassingOn(kInjectedB));
    }
    EXPECT_TRUE(guard.IsPassingOn(kPressA));
    EXPECT_FALSE(guard.IsPassingOn(kInjectedB));
    outer.reset();
    EXPECT_FALSE(guard.IsPassingOn(kPressA));
}

}  // namespace
