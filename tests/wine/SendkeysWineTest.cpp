// The real sender types into a real window: the key messages, their scan codes, F10.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/EventLogSink.h"
#include "components/Sendkeys.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32TopLevelWindows.h"
#include "tests/wine/TargetWindow.h"

namespace {

class TRecordingLog : public IEventLog {
  public:
    void LogEvent(const std::string& text) override { Lines.push_back(text); }
    std::vector<std::string> Lines;
};

class SendkeysWineTest : public testing::Test {
  protected:
    TWin32Keyboard Keyboard;
    TWin32MessagePump Pump;
    TWin32TopLevelWindows Windows;
    TWin32Clock Clock;
    TRecordingLog Log;
    TSendkeys Sendkeys{nullptr, Keyboard, Pump, Windows, Clock, Log};
    TTargetWindow& Target = SharedTarget();

    UINT Scan(UINT virtualKey) { return MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC) & 0xFF; }
};

std::string Describe(const std::vector<TReceivedKey>& keys) {
    std::string text;
    for (const TReceivedKey& key : keys) {
        text += (key.Message == WM_SYSKEYDOWN || key.Message == WM_SYSKEYUP) ? "sys" : "";
        text += key.Down() ? "down " : "up ";
        text += std::to_string(key.VirtualKey) + "/" + std::to_string(key.ScanCode);
        text += key.Extended ? "e " : " ";
    }
    return text;
}

}  // namespace

TEST_F(SendkeysWineTest, PitInMessageAndF10ReachTheFocusedWindowKeyByKey) {
    ASSERT_TRUE(Target.TakeFocus()) << "the target window did not get the focus";

    Sendkeys.SendKeys("\rPit In\r");
    Sendkeys.SendKeys(std::string(1, '\xED'));  // F10

    const UINT shift = VK_SHIFT;
    const UINT enter = VK_RETURN;
    const UINT f10 = VK_F10;
    std::vector<TReceivedKey> expected;
    auto tap = [&](UINT vk, UINT scan) {
        expected.push_back({WM_KEYDOWN, vk, scan, false});
        expected.push_back({WM_KEYUP, vk, scan, false});
    };
    auto shifted = [&](UINT vk) {
        expected.push_back({WM_KEYDOWN, shift, 42, false});
        tap(vk, Scan(vk));
        expected.push_back({WM_KEYUP, shift, 42, false});
    };
    tap(enter, Scan(enter));
    shifted('P');
    tap('I', Scan('I'));
    tap('T', Scan('T'));
    tap(VK_SPACE, Scan(VK_SPACE));
    shifted('I');
    tap('N', Scan('N'));
    tap(enter, Scan(enter));
    expected.push_back({WM_SYSKEYDOWN, f10, Scan(f10), false});
    expected.push_back({WM_SYSKEYUP, f10, Scan(f10), false});

    ASSERT_TRUE(PumpUntil([&] { return Target.Keys.size() >= expected.size(); }, 3000))
        << Describe(Target.Keys);
    PumpFor(100);  // nothing more may follow
    EXPECT_EQ(Describe(Target.Keys), Describe(expected));
    EXPECT_EQ(Target.Characters, "\rPit In\r");
}

TEST_F(SendkeysWineTest, LogsTheStringOnceAndEveryCode) {
    ASSERT_TRUE(Target.TakeFocus());
    Sendkeys.SendKeys("ab");
    EXPECT_EQ(Log.Lines,
              (std::vector<std::string>{"Sending string ab", "Sending Key a", "Sending Key b"}));
}

TEST_F(SendkeysWineTest, FindsAndRaisesAWindowByItsTitle) {
    EXPECT_EQ(Sendkeys.GetHandleFromWindowTitle("Quorl test target"),
              reinterpret_cast<TWindowHandle>(Target.Handle()));
    EXPECT_EQ(Sendkeys.GetHandleFromWindowTitle(std::string(300, 'q')), 0u);

    ShowWindow(Target.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(Target.Handle()));
    Sendkeys.MakeWindowActive(reinterpret_cast<TWindowHandle>(Target.Handle()));
    EXPECT_FALSE(IsIconic(Target.Handle()));
}

TEST_F(SendkeysWineTest, DelayKeepsTheMessagesFlowingForItsTime) {
    static int ticks = 0;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    const DWORD start = GetTickCount();
    Sendkeys.Delay(150);
    const DWORD elapsed = GetTickCount() - start;
    KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, 150u);
    EXPECT_GT(ticks, 0) << "no timer message was dispatched during the delay";
}
