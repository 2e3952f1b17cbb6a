// The fakes with logic of their own behave as the tests rely on.
#include <gtest/gtest.h>

#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeMessagePump.h"

TEST(FakeKeyboardTest, AnswersLikeTheUsLayout) {
    TFakeKeyboard keyboard;
    EXPECT_EQ(keyboard.KeyForCharacter('a'), 65);
    EXPECT_EQ(keyboard.KeyForCharacter('A'), 0x141);
    EXPECT_EQ(keyboard.KeyForCharacter('!'), 305);
    EXPECT_EQ(keyboard.KeyForCharacter(0xE9), -1);
    EXPECT_EQ(keyboard.ScanCodeForVirtualKey('A'), 30u);
    EXPECT_EQ(keyboard.ScanCodeForVirtualKey(16), 42u);
    EXPECT_EQ(keyboard.ScanCodeForVirtualKey(121), 68u);  // F10
    EXPECT_EQ(keyboard.ScanCodeForVirtualKey(1000), 0u);
}

TEST(FakeMessagePumpTest, RunsEachScheduledActionOnceInItsPassEvenWhenNested) {
    TFakeMessagePump pump;
    std::vector<int> seen;
    pump.AtPass(2, [&] {
        seen.push_back(2);
        pump.ProcessMessages();  // pass 3, nested
    });
    pump.AtPass(3, [&] { seen.push_back(3); });
    for (int i = 0; i < 5; ++i) {
        pump.ProcessMessages();
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3}));
    EXPECT_EQ(pump.Passes, 6);
}
