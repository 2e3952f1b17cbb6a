// The fakes with logic of their own behave as the tests rely on.
#include <gtest/gtest.h>

#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeMessagePump.h"
#include "tests/fakes/FakeProfileFile.h"
#include "tests/fakes/FakeWindows.h"

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

TEST(FakeProfileFileTest, FailsEveryWriteAfterTheGivenNumberAndLeavesTheFile) {
    TFakeProfileFile profile;
    profile.WritesBeforeFailure = 1;
    EXPECT_TRUE(profile.WriteString("S", "k", "1", "C:\\a.ini"));
    EXPECT_FALSE(profile.WriteString("S", "k", "2", "C:\\a.ini"));
    EXPECT_FALSE(profile.EraseSection("S", "C:\\a.ini"));
    EXPECT_EQ(profile.Files["C:\\a.ini"], "[S]\r\nk=1\r\n");
    EXPECT_EQ(profile.ReadString("S", "k", "d", "C:\\a.ini"), "1");
    EXPECT_EQ(profile.ReadString("S", "k", "d", "C:\\b.ini"), "d");
    EXPECT_EQ(profile.Writes, 3);
}

TEST(FakeHotKeysTest, FollowRegisterHotKeysRules) {
    TFakeHotKeys hotKeys;
    EXPECT_TRUE(hotKeys.RegisterHotKey(0, 1, 0, 45)) << "window 0 registers for the thread";
    EXPECT_FALSE(hotKeys.RegisterHotKey(0x100, 0, 0x4000, 45)) << "held, MOD_NOREPEAT aside";
    EXPECT_TRUE(hotKeys.RegisterHotKey(0x100, 0, 4, 45));
    EXPECT_TRUE(hotKeys.RegisterHotKey(0x100, 0, 2, 45)) << "kept beside the first";
    EXPECT_TRUE(hotKeys.UnregisterHotKey(0x100, 0));
    EXPECT_FALSE(hotKeys.RegisterHotKey(0x200, 0, 2, 45)) << "the newer one is still held";
    EXPECT_TRUE(hotKeys.RegisterHotKey(0x200, 0, 4, 45)) << "the oldest one was freed";
    EXPECT_TRUE(hotKeys.UnregisterHotKey(0x100, 0));
    EXPECT_FALSE(hotKeys.UnregisterHotKey(0x100, 0));
    EXPECT_EQ(hotKeys.Registered.size(), 2u);
}
