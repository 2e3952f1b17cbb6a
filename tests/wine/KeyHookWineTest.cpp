// The keyboard watch with the real keyhook.dll: typed and injected keys reach OnKey decoded,
// and nothing is reported once the hook has stopped.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "components/CPKeyHook.h"
#include "platform/win32/Win32HiddenWindows.h"
#include "platform/win32/Win32KeyboardHookLibrary.h"
#include "platform/win32/Win32KeyboardQueries.h"
#include "tests/wine/TargetWindow.h"
#include "tests/wine/Xdotool.h"

namespace {

constexpr DWORD kDeadlineMs = 3000;

DWORD ProcedureCalls();  // the test build's count of hook procedure calls

// The records carry no virtual key: tests tell keys apart by their names.
struct TReport {
    TKeyStates States;
    TKeyNames Names;
};

class KeyHookWineTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(StartWatch());
        // The hook sees typed keys whichever window they go to, but the X server hands them
        // to Wine only while one of its windows has the X focus.
        ASSERT_TRUE(FocusForTyping(SharedTarget()));
        ASSERT_TRUE(PumpUntil([&] { return ReportsOf("F8").size() >= 2; }, kDeadlineMs));
        Reports.clear();
    }

    void StartWatch() {
        Hook = std::make_unique<TCPKeyHook>(nullptr, Keyboard, Library, Windows);
        Hook->OnKey = [this](TComponent*, TKeyStates states, TKeyNames names) {
            Reports.push_back({states, names});
        };
        ASSERT_TRUE(Hook->StartHook())
            << "keyhook.dll beside the test program: " << Library.LastStartProblem().Detail;
    }

    // The reports whose key name is `name`, in order.
    std::vector<TReport> ReportsOf(const std::string& name) const {
        std::vector<TReport> found;
        for (const TReport& report : Reports) {
            if (name == report.Names.KeyName) {
                found.push_back(report);
            }
        }
        return found;
    }

    // Pumps until a release of the named key has been reported.
    bool WaitForRelease(const std::string& name) {
        return PumpUntil(
            [&] {
                for (const TReport& report : ReportsOf(name)) {
                    if (!report.States.KeyDown) {
                        return true;
                    }
                }
                return false;
            },
            kDeadlineMs);
    }

    // After a reinstall: b and c typed give exactly their four reports, in order, none doubled,
    // from four calls of the hook procedure: no hook left over in the chain calls it again.
    void ExpectEachKeyReportedOnce() {
        Reports.clear();
        const DWORD callsBefore = ProcedureCalls();
        ASSERT_TRUE(Xdotool("key --delay 30 b c"));
        ASSERT_TRUE(WaitForRelease("C"));
        PumpFor(300);  // a doubled report would come now
        EXPECT_EQ(ProcedureCalls() - callsBefore, 4u);
        ASSERT_EQ(Reports.size(), 4u);
        EXPECT_EQ(ReportsOf("B").size(), 2u);
        EXPECT_EQ(ReportsOf("C").size(), 2u);
        EXPECT_TRUE(Reports[0].States.KeyDown && !Reports[1].States.KeyDown);
    }

    TWin32KeyboardQueries Keyboard;
    TWin32KeyboardHookLibrary Library;
    TWin32HiddenWindows Windows;
    std::unique_ptr<TCPKeyHook> Hook;
    std::vector<TReport> Reports;
};

// keyhook.dll's diagnostic and test-only exports, which the program itself never calls.
template <typename TProc>
TProc HookLibraryExport(const char* name) {
    HMODULE module = GetModuleHandleA("keyhook.dll");
    FARPROC proc = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<TProc>(reinterpret_cast<void (*)()>(proc));
}

using TRemoveProc = BOOL(WINAPI*)();
using TReinstallsProc = DWORD(WINAPI*)();
using TSetPeriodProc = void(WINAPI*)(DWORD);
using TPauseProc = BOOL(WINAPI*)(DWORD);

DWORD LostReports() {
    const auto lost = HookLibraryExport<TReinstallsProc>("KeyboardHook_LostReports");
    return lost != nullptr ? lost() : ~0u;
}

DWORD ProcedureCalls() {
    const auto calls = HookLibraryExport<TReinstallsProc>("KeyboardHook_ProcedureCallsForTest");
    return calls != nullptr ? calls() : ~0u;
}

// Windows removes a hook that overran LowLevelHooksTimeout without telling its thread; Wine
// never does, so the test removes it the same silent way. The key typed then goes unseen, the
// hook thread notices input that its hook never reported and puts the hook back.
TEST_F(KeyHookWineTest, AHookThatTheSystemRemovedComesBackAndReportsEachKeyOnce) {
    const auto remove = HookLibraryExport<TRemoveProc>("KeyboardHook_RemoveHookForTest");
    const auto reinstalls = HookLibraryExport<TReinstallsProc>("KeyboardHook_Reinstalls");
    ASSERT_NE(remove, nullptr);
    ASSERT_NE(reinstalls, nullptr);
    const DWORD before = reinstalls();
    ASSERT_TRUE(remove());
    // Measured: typed straight after the removal, the key never became input under Wine
    // (GetLastInputInfo stayed put); after a short pump it does.
    PumpFor(300);
    ASSERT_TRUE(Xdotool("key a"));
    ASSERT_TRUE(PumpUntil([&] { return reinstalls() > before; }, kDeadlineMs))
        << "the hook was not put back";
    EXPECT_TRUE(Reports.empty()) << "the a was heard without a hook";
    ExpectEachKeyReportedOnce();
}

// Windows may remove the hook while the driver uses only the wheel and pedals, which are no
// input to the watchdog: the hook comes back on its period all the same (here shortened from
// 15 s to 1 s), and the next key is reported once.
TEST_F(KeyHookWineTest, AHookRemovedWithNoInputAfterItComesBackOnThePeriod) {
    const auto setPeriod =
        HookLibraryExport<TSetPeriodProc>("KeyboardHook_SetReinstallPeriodForTest");
    const auto remove = HookLibraryExport<TRemoveProc>("KeyboardHook_RemoveHookForTest");
    const auto reinstalls = HookLibraryExport<TReinstallsProc>("KeyboardHook_Reinstalls");
    ASSERT_TRUE(setPeriod != nullptr && remove != nullptr && reinstalls != nullptr);
    Hook.reset();
    setPeriod(1000);
    StartWatch();
    setPeriod(0);
    const DWORD before = reinstalls();
    ASSERT_TRUE(remove());
    ASSERT_TRUE(PumpUntil([&] { return reinstalls() > before; }, kDeadlineMs))
        << "the hook was not put back without input";
    EXPECT_TRUE(Reports.empty());
    ExpectEachKeyReportedOnce();
}

// The watchdog counts keys by their raw input: moving the mouse without typing is no sign of a
// lost hook, and puts nothing back.
TEST_F(KeyHookWineTest, AMovingMouseRaisesNoAlarmAndTheKeysAfterItAreReportedOnce) {
    const auto reinstalls = HookLibraryExport<TReinstallsProc>("KeyboardHook_Reinstalls");
    ASSERT_NE(reinstalls, nullptr);
    const DWORD before = reinstalls();
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(SharedTarget().Handle(), &frame));
    const std::string x = std::to_string(frame.left + 60);
    ASSERT_TRUE(Xdotool("mousemove " + x + " " + std::to_string(frame.top + 60) +
                        " sleep 0.1 mousemove " + x + " " + std::to_string(frame.top + 90)));
    PumpFor(1500);  // six of the old watch's checks
    EXPECT_EQ(reinstalls(), before) << "mouse input raised an alarm";
    EXPECT_TRUE(Reports.empty());
    ExpectEachKeyReportedOnce();
    EXPECT_EQ(reinstalls(), before) << "the keys after it raised an alarm";
}

// What other programs and the hook thread's own reinstalls do to it: after each, every key is
// still reported once. Keys made while a reinstall waits to begin reach the old hook, which
// must report them before it goes.
TEST_F(KeyHookWineTest, TheHookThreadKeepsReportingEachKeyOnceWhateverHappensToIt) {
    const auto threadId = HookLibraryExport<TReinstallsProc>("KeyboardHook_ThreadIdForTest");
    const auto pause = HookLibraryExport<TPauseProc>("KeyboardHook_PauseAReinstallForTest");
    ASSERT_TRUE(threadId != nullptr && pause != nullptr);
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"a WM_QUIT that another program posts to the hook thread",
         [&] { ASSERT_TRUE(PostThreadMessageA(threadId(), WM_QUIT, 0, 0)); }},
        {"ten reinstalls",
         [&] {
             for (int i = 0; i < 10; ++i)
                 ASSERT_TRUE(pause(1));
         }},
        {"a key made while the old hook is still in",
         [&] {
             ASSERT_TRUE(pause(300));
             keybd_event('V', 0x2F, 0, 0);
             keybd_event('V', 0x2F, KEYEVENTF_KEYUP, 0);
             ASSERT_TRUE(WaitForRelease("V"));
             EXPECT_EQ(ReportsOf("V").size(), 2u);
         }},
    };
    for (const auto& [name, action] : cases) {
        SCOPED_TRACE(name);
        action();
        PumpFor(300);  // the reinstall of the last pause is done
        ExpectEachKeyReportedOnce();
    }
}

TEST_F(KeyHookWineTest, TypedKeysArriveWithTheirCharacterAndDirection) {
    ASSERT_TRUE(Xdotool("key --delay 30 q w"));
    ASSERT_TRUE(WaitForRelease("W")) << Reports.size() << " reports";
    const std::vector<TReport> q = ReportsOf("Q");
    ASSERT_EQ(q.size(), 2u);
    EXPECT_TRUE(q[0].States.KeyDown);
    EXPECT_FALSE(q[0].States.WasDown);
    EXPECT_EQ(q[0].Names.Character, 'q');
    EXPECT_FALSE(q[0].States.Synthetic);
    EXPECT_FALSE(q[1].States.KeyDown);
    EXPECT_TRUE(q[1].States.WasDown);
    EXPECT_EQ(q[1].States.RepeatCount, 0);
    const std::vector<TReport> w = ReportsOf("W");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].Names.Character, 'w');
    EXPECT_EQ(LostReports(), 0u);
}

// The desktop's Shift, Ctrl and Caps Lock come with each report from keyhook.dll, and the
// decoder translates with them (under Wine this thread's own state follows the desktop too,
// but the decoder puts the report's over it). The hook reads the system's Caps Lock at each
// key: the c after the press is C. (Under Wine a thread made after Caps Lock went on reads it
// off until it changes again, so a start with Caps Lock on cannot be shown here.)
TEST_F(KeyHookWineTest, TypedKeysReachTheDecoderWithTheDesktopsKeyState) {
    const struct {
        const char* Keys;
        const char* Name;
        char Character;
        bool ShiftDown, CtrlDown;
    } cases[] = {
        {"shift+a", "A", 'A', true, false},
        {"ctrl+b", "B", '\x02', false, true},
        {"Caps_Lock c Caps_Lock", "C", 'C', false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Keys);
        Reports.clear();
        // F8 last: once it is in, so are the keys before it (Caps Lock off again among them).
        ASSERT_TRUE(Xdotool(std::string("key --delay 30 ") + c.Keys + " F8"));
        ASSERT_TRUE(WaitForRelease("F8"));
        const TReport key = ReportsOf(c.Name).at(0);
        EXPECT_EQ(key.Names.Character, c.Character);
        EXPECT_EQ(key.States.ShiftDown, c.ShiftDown);
        EXPECT_EQ(key.States.CtrlDown, c.CtrlDown);
    }
}

TEST_F(KeyHookWineTest, AHeldKeyCountsItsAutoRepeatsUpThenReleases) {
    // X auto-repeat starts after about 660 ms and repeats every 40 ms.
    ASSERT_TRUE(Xdotool("keydown e sleep 0.9 keyup e"));
    ASSERT_TRUE(WaitForRelease("E"));
    const std::vector<TReport> e = ReportsOf("E");
    ASSERT_GE(e.size(), 5u) << "fewer than three auto-repeats";
    EXPECT_FALSE(e.front().States.WasDown);
    EXPECT_EQ(e.front().States.RepeatCount, 0);
    for (std::size_t i = 1; i + 1 < e.size(); ++i) {
        SCOPED_TRACE("auto-repeat " + std::to_string(i));
        EXPECT_TRUE(e[i].States.KeyDown);
        EXPECT_TRUE(e[i].States.WasDown);
        EXPECT_EQ(e[i].States.RepeatCount, static_cast<std::int32_t>(i));
    }
    EXPECT_FALSE(e.back().States.KeyDown);
    EXPECT_TRUE(e.back().States.WasDown);
    EXPECT_EQ(e.back().States.RepeatCount, 0);
}

TEST_F(KeyHookWineTest, AKeyTypedWithAltHeldCarriesTheContextBit) {
    ASSERT_TRUE(Xdotool("key --delay 30 j alt+k"));
    ASSERT_TRUE(WaitForRelease("K"));
    const std::vector<TReport> j = ReportsOf("J");
    const std::vector<TReport> k = ReportsOf("K");
    ASSERT_FALSE(j.empty());
    ASSERT_FALSE(k.empty());
    EXPECT_FALSE(j[0].States.AltDown);
    EXPECT_TRUE(k[0].States.AltDown);
    EXPECT_TRUE(k[0].States.KeyDown);
}

TEST_F(KeyHookWineTest, AnArrowKeyIsExtendedAndALetterIsNot) {
    ASSERT_TRUE(Xdotool("key --delay 30 Right h"));
    ASSERT_TRUE(WaitForRelease("H"));
    const std::vector<TReport> right = ReportsOf("Right");
    const std::vector<TReport> h = ReportsOf("H");
    ASSERT_EQ(right.size(), 2u) << "no report named Right";
    EXPECT_TRUE(right[0].States.Extended);
    EXPECT_TRUE(right[1].States.Extended);
    EXPECT_EQ(right[0].Names.Character, 0);
    ASSERT_FALSE(h.empty());
    EXPECT_FALSE(h[0].States.Extended);
}

TEST_F(KeyHookWineTest, TheProgramsOwnInjectedKeysAreReportedToo) {
    const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyA('M', MAPVK_VK_TO_VSC));
    keybd_event('M', scanCode, 0, 0);
    keybd_event('M', scanCode, KEYEVENTF_KEYUP, 0);
    // Without a scan code the report is the bare press or release.
    keybd_event(VK_F9, 0, 0, 0);
    keybd_event(VK_F9, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(PumpUntil([&] { return Reports.size() >= 4; }, kDeadlineMs));
    ASSERT_EQ(Reports.size(), 4u);
    EXPECT_STREQ(Reports[0].Names.KeyName, "M");
    EXPECT_TRUE(Reports[0].States.KeyDown);
    EXPECT_FALSE(Reports[0].States.Synthetic);
    EXPECT_FALSE(Reports[1].States.KeyDown);
    EXPECT_TRUE(Reports[2].States.Synthetic);
    EXPECT_TRUE(Reports[2].States.KeyDown);
    EXPECT_TRUE(Reports[3].States.Synthetic);
    EXPECT_FALSE(Reports[3].States.KeyDown);
}

TEST_F(KeyHookWineTest, NothingIsReportedAfterTheComponentIsGone) {
    Hook.reset();  // stops the hook, then destroys its window
    const DWORD lostBefore = LostReports();

    // Wine turns the X key into input, and runs the hooks, only while this thread pumps: the
    // key has passed the hook chain once the target has it. A hook still posting to the
    // destroyed window would have had its posts refused, and counted.
    TTargetWindow& target = SharedTarget();
    ASSERT_TRUE(Xdotool("key y"));
    ASSERT_TRUE(PumpUntil([&] { return target.Keys.size() >= 2; }, kDeadlineMs))
        << "the target never got the y";
    EXPECT_TRUE(Reports.empty());
    EXPECT_EQ(LostReports(), lostBefore);

    // A second watch proves that typed keys still come, and hears only those typed after it.
    TCPKeyHook second(nullptr, Keyboard, Library, Windows);
    std::vector<std::string> names;
    second.OnKey = [&](TComponent*, TKeyStates, TKeyNames keyNames) {
        names.emplace_back(keyNames.KeyName);
    };
    ASSERT_TRUE(second.StartHook());
    ASSERT_TRUE(Xdotool("key z"));
    ASSERT_TRUE(PumpUntil([&] { return names.size() >= 2; }, kDeadlineMs));
    EXPECT_EQ(names, (std::vector<std::string>{"Z", "Z"}));
    EXPECT_TRUE(Reports.empty());
    // A hook still posting to the destroyed window would have had its posts refused.
    EXPECT_EQ(LostReports(), lostBefore);
}

// The library's own promise: once KeyboardHook_Stop has returned, no report is posted.
TEST(KeyHookLibraryWineTest, StopEndsThePostsAndAStartAfterItReportsAgain) {
    TWin32KeyboardHookLibrary library;
    // Each test runs in a process of its own: nothing has loaded the library yet.
    EXPECT_EQ(GetModuleHandleA("keyhook.dll"), nullptr) << "keyhook.dll loaded before a Start";
    TWin32HiddenWindows windows;
    int firstCount = 0;
    int secondCount = 0;
    auto first = windows.CreateHiddenWindow(
        [&](TMessage& message) { firstCount += message.Msg == TCPKeyHook::kHookMessage ? 1 : 0; });
    auto second = windows.CreateHiddenWindow(
        [&](TMessage& message) { secondCount += message.Msg == TCPKeyHook::kHookMessage ? 1 : 0; });

    ASSERT_TRUE(library.Start(first->Handle(), TCPKeyHook::kHookMessage))
        << "keyhook.dll beside the test program: " << library.LastStartProblem().Detail;
    EXPECT_FALSE(library.Start(second->Handle(), TCPKeyHook::kHookMessage))
        << "a second start while reporting";
    keybd_event('N', 0x31, 0, 0);
    keybd_event('N', 0x31, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(PumpUntil([&] { return firstCount == 2; }, kDeadlineMs));

    // A hook thread held up 3 s, its queue full (Windows refuses posts past 10,000; Wine never
    // does): the stop says so after its 2 s bound, and the next one finds the thread ended.
    ASSERT_TRUE(HookLibraryExport<TPauseProc>("KeyboardHook_PauseAReinstallForTest")(3000));
    const DWORD threadId = HookLibraryExport<TReinstallsProc>("KeyboardHook_ThreadIdForTest")();
    for (int posted = 0; posted < 12000 && PostThreadMessageA(threadId, WM_USER, 0, 0);) {
        ++posted;
    }
    library.Stop();
    EXPECT_TRUE(library.StopFailed());
    library.Stop();
    EXPECT_FALSE(library.StopFailed());
    library.Stop();  // harmless
    EXPECT_TRUE(library.Start(second->Handle(), TCPKeyHook::kHookMessage));
    keybd_event('N', 0x31, 0, 0);
    keybd_event('N', 0x31, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(PumpUntil([&] { return secondCount == 2; }, kDeadlineMs));
    PumpFor(50);
    EXPECT_EQ(firstCount, 2);
    library.Stop();
}

// Any program may post to any thread: a steady stream of messages to the hook thread, its
// queue full when it comes back from a pause, must not keep it from its stop event.
TEST(KeyHookLibraryWineTest, AStreamOfPostsToTheHookThreadDoesNotHoldUpTheStop) {
    TWin32KeyboardHookLibrary library;
    TWin32HiddenWindows windows;
    auto target = windows.CreateHiddenWindow([](TMessage&) {});
    ASSERT_TRUE(library.Start(target->Handle(), TCPKeyHook::kHookMessage))
        << "keyhook.dll beside the test program: " << library.LastStartProblem().Detail;
    const DWORD threadId = HookLibraryExport<TReinstallsProc>("KeyboardHook_ThreadIdForTest")();
    ASSERT_TRUE(HookLibraryExport<TPauseProc>("KeyboardHook_PauseAReinstallForTest")(500));
    for (int posted = 0; posted < 20000 && PostThreadMessageA(threadId, WM_USER, 0, 0);) {
        ++posted;
    }
    std::atomic<bool> posting{true};
    std::thread poster([&] {
        while (posting && PostThreadMessageA(threadId, WM_USER, 0, 0)) {
        }
    });
    library.Stop();
    posting = false;
    poster.join();
    EXPECT_FALSE(library.StopFailed()) << "the hook thread did not see its stop within 2 s";
}

}  // namespace
