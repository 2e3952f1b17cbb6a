// The global hot key with the real RegisterHotKey: typed Insert raises OnHotKey instead of
// reaching the focused window, and the registration is freed with the component.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "components/fisHotKey.h"
#include "platform/win32/Win32HotKeys.h"
#include "tests/wine/TargetWindow.h"
#include "tests/wine/Xdotool.h"

namespace {

constexpr DWORD kDeadlineMs = 3000;
constexpr TShortCut kInsert = VK_INSERT;
constexpr TShortCut kShortCutShift = 0x2000;

class HotKeyWineTest : public testing::Test {
  protected:
    // As the main window's loading leaves it: Key written, then Loaded.
    void Load(TShortCut key) {
        HotKey = std::make_unique<TfisHotKey>(nullptr, HotKeys);
        HotKey->OnHotKey = [this](TComponent* sender) {
            EXPECT_EQ(sender, HotKey.get());
            ++HotKeyCount;
        };
        HotKey->BeginLoading();
        HotKey->SetKey(key);
        HotKey->EndLoading();
    }

    void FocusTarget() {
        ASSERT_TRUE(FocusForTyping(Target)) << "the target window does not receive typed keys";
        Target.Keys.clear();
    }

    int KeyDowns(UINT virtualKey) const {
        int count = 0;
        for (const TReceivedKey& key : Target.Keys) {
            count += key.Down() && key.VirtualKey == virtualKey ? 1 : 0;
        }
        return count;
    }

    static bool InsertIsFree() {
        const bool registered = RegisterHotKey(nullptr, 1, 0, VK_INSERT) != FALSE;
        if (registered) {
            UnregisterHotKey(nullptr, 1);
        }
        return registered;
    }

    TTargetWindow& Target = SharedTarget();
    TWin32HotKeys HotKeys;
    std::unique_ptr<TfisHotKey> HotKey;
    int HotKeyCount = 0;
};

TEST_F(HotKeyWineTest, InsertRaisesOnHotKeyAndTheFocusedWindowGetsNoKeyDown) {
    Load(kInsert);
    FocusTarget();
    ASSERT_TRUE(Xdotool("key --delay 30 Insert a"));
    ASSERT_TRUE(PumpUntil([&] { return KeyDowns('A') == 1; }, kDeadlineMs));
    EXPECT_EQ(HotKeyCount, 1);
    EXPECT_EQ(KeyDowns(VK_INSERT), 0);
}

TEST_F(HotKeyWineTest, ShiftInsertIsItsOwnCombination) {
    Load(kShortCutShift + kInsert);
    FocusTarget();
    ASSERT_TRUE(Xdotool("key --delay 30 Insert shift+Insert a"));
    ASSERT_TRUE(PumpUntil([&] { return KeyDowns('A') == 1; }, kDeadlineMs));
    EXPECT_EQ(HotKeyCount, 1);
    EXPECT_EQ(KeyDowns(VK_INSERT), 1) << "plain Insert goes to the focused window";
}

TEST_F(HotKeyWineTest, TheRegistrationIsHeldWhileItLivesAndFreedWithIt) {
    Load(kInsert);
    EXPECT_FALSE(InsertIsFree());
    HotKey.reset();
    EXPECT_TRUE(InsertIsFree());
}

TEST_F(HotKeyWineTest, ARefusedRegistrationIsTakenAtTheNextTrigger) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, 0, VK_INSERT));  // another holder
    Load(kInsert);
    UnregisterHotKey(nullptr, 1);
    EXPECT_TRUE(InsertIsFree()) << "the refused component must hold nothing";
    HotKey->SetEnabled(true);
    EXPECT_FALSE(InsertIsFree());
}

}  // namespace
