// The global hot key: the split of Key, the registration's state machine, the window
// procedure and the inert design state.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/fisHotKey.h"
#include "tests/fakes/FakeWindows.h"

namespace {

constexpr std::uint32_t kWmHotKey = 786;
constexpr TShortCut kInsert = 45;
constexpr TShortCut kShiftInsert = 0x2000 + 45;

class fisHotKeyTest : public testing::Test {
  protected:
    // A hot key as the main window's loading leaves it: Key written, loading ended.
    std::unique_ptr<TfisHotKey> Loaded(TShortCut key) {
        auto hotKey = std::make_unique<TfisHotKey>(nullptr, HotKeys);
        hotKey->BeginLoading();
        hotKey->SetKey(key);
        hotKey->EndLoading();
        return hotKey;
    }

    TFakeHotKeys HotKeys;
};

TEST_F(fisHotKeyTest, KeySplitsIntoModifiersAndVirtualKey) {
    struct TCase {
        TShortCut Key;
        std::string Registration;
    };
    const TCase cases[] = {
        {kInsert, "register 0+45"},
        {kShiftInsert, "register 4+45"},
        {0x4000 + 45, "register 2+45"},
        {0x8000 + 45, "register 1+45"},
        {0x4000 + 0x8000 + 45, "register 3+45"},
        {0xE000 + 0x70, "register 7+112"},
        {0x1F00 + 45, "register 0+45"},  // bits 8 to 12 are not used
        {0x00FF, "register 0+255"},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(testing::Message() << "Key 0x" << std::hex << test.Key);
        HotKeys.Journal.clear();
        auto hotKey = std::make_unique<TfisHotKey>(nullptr, HotKeys);
        hotKey->SetKey(test.Key);
        EXPECT_EQ(HotKeys.Journal, (TJournal{"create window", test.Registration}));
    }
}

TEST_F(fisHotKeyTest, LoadingEndsWithOneRegistrationOfTheStoredKeyUnlessDisabled) {
    struct TCase {
        const char* Label;
        bool WriteKey;
        bool Enabled;
        TJournal Journal;
    };
    const TCase cases[] = {
        {"the stored key", true, true, {"create window", "register 0+45"}},
        {"a key never written: virtual key 0", false, true, {"create window", "register 0+0"}},
        {"disabled while loading", true, false, {"create window", "register 0+45", "unregister 0"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Label);
        HotKeys.Journal.clear();
        TfisHotKey hotKey(nullptr, HotKeys);
        hotKey.BeginLoading();
        if (c.WriteKey) {
            hotKey.SetKey(kInsert);
        }
        if (!c.Enabled) {
            hotKey.SetEnabled(false);
        }
        hotKey.EndLoading();
        EXPECT_EQ(HotKeys.Journal, c.Journal);
        EXPECT_EQ(HotKeys.Registered.size(), c.Enabled ? 1u : 0u);
    }
}

TEST_F(fisHotKeyTest, WritingTheSameKeyAgainDoesNothing) {
    auto hotKey = Loaded(kInsert);
    HotKeys.Journal.clear();
    hotKey->SetKey(kInsert);
    EXPECT_TRUE(HotKeys.Journal.empty());
}

TEST_F(fisHotKeyTest, ANewKeyWhileEnabledMovesTheRegistration) {
    auto hotKey = Loaded(kInsert);
    HotKeys.Journal.clear();
    hotKey->SetKey(kShiftInsert);
    EXPECT_EQ(HotKeys.Journal, (TJournal{"unregister 0", "register 4+45"}));
    ASSERT_EQ(HotKeys.Registered.size(), 1u);
    EXPECT_EQ(HotKeys.Registered.begin()->second, (TCombination{4, 45}));
}

TEST_F(fisHotKeyTest, ANewKeyWhileDisabledIsOnlyStoredUntilEnabled) {
    auto hotKey = Loaded(kInsert);
    hotKey->SetEnabled(false);
    HotKeys.Journal.clear();
    hotKey->SetKey(kShiftInsert);
    EXPECT_TRUE(HotKeys.Journal.empty());
    hotKey->SetEnabled(true);
    EXPECT_EQ(HotKeys.Journal, (TJournal{"register 4+45"}));
}

TEST_F(fisHotKeyTest, EnabledTwiceRegistersOnceAndDisabledTwiceUnregistersOnce) {
    TfisHotKey hotKey(nullptr, HotKeys);
    hotKey.SetEnabled(false);  // nothing registered: nothing to free
    hotKey.SetKey(kInsert);
    hotKey.SetEnabled(true);
    hotKey.SetEnabled(true);
    hotKey.SetEnabled(false);
    hotKey.SetEnabled(false);
    EXPECT_EQ(HotKeys.Journal, (TJournal{"create window", "register 0+45", "unregister 0"}));
    EXPECT_TRUE(HotKeys.Registered.empty());
}

TEST_F(fisHotKeyTest, ARefusedRegistrationStaysUnregisteredAndIsRetriedAtTheNextTrigger) {
    HotKeys.Refused = {{0, 45}};
    auto hotKey = Loaded(kInsert);
    EXPECT_EQ(HotKeys.Journal,
              (TJournal{"create window", "register 0+45 refused", "register 0+45 refused"}));
    HotKeys.Journal.clear();
    hotKey->SetEnabled(false);  // unregistered: nothing to free
    EXPECT_TRUE(HotKeys.Journal.empty());
    HotKeys.Refused.clear();
    hotKey->SetEnabled(true);
    EXPECT_EQ(HotKeys.Journal, (TJournal{"register 0+45"}));
    EXPECT_EQ(HotKeys.Registered.size(), 1u);
}

TEST_F(fisHotKeyTest, HotKeyMessageRaisesTheHandlerThenGoesToTheOldProcedure) {
    auto hotKey = Loaded(kInsert);
    TComponent* sender = nullptr;
    hotKey->OnHotKey = [&](TComponent* from) {
        sender = from;
        HotKeys.Journal.push_back("OnHotKey");
    };
    HotKeys.Journal.clear();
    EXPECT_EQ(HotKeys.Last->Send(kWmHotKey, 7, 0x002D0000), 2000 + kWmHotKey);
    EXPECT_EQ(sender, hotKey.get());
    EXPECT_EQ(HotKeys.Journal, (TJournal{"OnHotKey", "old proc 786"}));
}

TEST_F(fisHotKeyTest, WithoutAHandlerEveryMessageOnlyGoesToTheOldProcedure) {
    auto hotKey = Loaded(kInsert);
    HotKeys.Journal.clear();
    EXPECT_EQ(HotKeys.Last->Send(kWmHotKey, 0, 0), 2000 + kWmHotKey);
    hotKey->OnHotKey = [&](TComponent*) { HotKeys.Journal.push_back("OnHotKey"); };
    EXPECT_EQ(HotKeys.Last->Send(0x0100, 45, 0), 2000 + 0x0100);
    EXPECT_EQ(HotKeys.Journal, (TJournal{"old proc 786", "old proc 256"}));
}

TEST_F(fisHotKeyTest, DestructionUnregistersAndPutsTheOwnEntryBackBeforeTheWindowGoes) {
    auto hotKey = Loaded(kInsert);
    HotKeys.Journal.clear();
    hotKey.reset();
    EXPECT_EQ(HotKeys.Journal, (TJournal{"unregister 0", "destroy window"}));
    EXPECT_TRUE(HotKeys.Registered.empty());
}

TEST_F(fisHotKeyTest, InDesignStateItStaysInert) {
    TComponent form(nullptr);
    form.SetDesigning(true);
    auto* hotKey = new TfisHotKey(&form, HotKeys);
    form.BeginLoading();
    hotKey->SetKey(kShiftInsert);
    hotKey->SetEnabled(false);
    hotKey->SetEnabled(true);
    form.EndLoading();
    EXPECT_EQ(hotKey->GetKey(), kShiftInsert);
    EXPECT_TRUE(hotKey->GetEnabled());
    EXPECT_EQ(HotKeys.Last, nullptr);
    delete hotKey;
    EXPECT_TRUE(HotKeys.Journal.empty());
}

}  // namespace
