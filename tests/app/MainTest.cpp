// The start-up: the main window shows the settings and the loop runs; a window that cannot be
// built is shown in the error box, not a silent end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "app/Main.h"
#include "app/OneCopyStart.h"
#include "platform/Exception.h"
#include "tests/fakes/FakeApplication.h"
#include "tests/fakes/FakeClock.h"

namespace {

// An application whose main window cannot be created: CreateMainWindow throws what the test
// gives, as the Win32 window throws when CreateWindowExA fails.
class TFailingApplication : public TFakeApplication {
  public:
    explicit TFailingApplication(std::function<void()> failure) : Failure(std::move(failure)) {
        Executable = "C:\\Spiele\\\xD0\x9F\xD0\xB8\xD1\x82\\QuorlWait.exe";
    }

    IMainWindow& CreateMainWindow() override {
        Failure();
        throw std::logic_error("the failure threw nothing");
    }

    std::function<void()> Failure;
};

TEST(StartUpTest, AWindowThatCannotBeCreatedIsShownInTheErrorBoxAndEndsTheProgram) {
    struct TCase {
        std::string Name;
        std::function<void()> Failure;
        std::string Shown;
    };
    const std::vector<TCase> cases = {
        {"a runtime failure",
         [] { throw Exception("Create window: Quorl Pit Timer v3.1: Not enough memory"); },
         "QuorlWait: Create window: Quorl Pit Timer v3.1: Not enough memory."},
        {"something that is not a std::exception", [] { throw 42; },
         "QuorlWait: Internal error: an exception of unknown type."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFailingApplication application(c.Failure);
        EXPECT_EQ(RunApplication(application), 1);
        EXPECT_EQ(application.DialogsService.Errors, std::vector<std::string>{c.Shown});
        EXPECT_EQ(application.Runs, 0);
        // The handler the platform reports through outlives the start-up.
        ASSERT_TRUE(application.Handler);
        application.Handler(std::runtime_error("later"));
        EXPECT_EQ(application.DialogsService.Errors.back(), "QuorlWait: later.");
    }
}

// The fake application runs from C:\Games\Quorl, where its settings file lies.
TEST(StartUpTest, TheMainWindowShowsTheSettingsBesideTheExecutableAndTheLoopRuns) {
    TFakeApplication application;
    application.ProfileFileService.Files["C:\\Games\\Quorl\\QuorlWait.ini"] =
        "[Timing]\r\nDelay=45\r\nPitInMessage=Pit now\r\n";
    EXPECT_EQ(RunApplication(application), 0);
    EXPECT_EQ(application.Runs, 1);
    EXPECT_EQ(application.MainWindow.WaitTimeEditBox.Value, "45");
    EXPECT_EQ(application.MainWindow.PitInMessageEditBox.Value, "Pit now");
    EXPECT_TRUE(application.DialogsService.Errors.empty());
}

constexpr std::uint32_t kNever = ~0u;

// The other copy on a timeline of the fake clock's milliseconds: it holds the lock until
// LockFreeMs, shows window 7 from WindowMs until then, and ends CloseMs after a WM_CLOSE.
struct TTimeline {
    std::uint32_t LockFreeMs, WindowMs, CloseMs;
    bool Outranks;
};

class TFakeOneCopy : public IOneCopy {
  public:
    explicit TFakeOneCopy(TTimeline timeline) : At(timeline) {}
    bool TakeLock() override { return Clock.TickCount >= At.LockFreeMs; }
    TWindowHandle FindOtherWindow() override {
        return Clock.TickCount >= At.WindowMs && !TakeLock() ? 7 : 0;
    }
    bool OutranksOwnerOf(TWindowHandle window) override { return window == 7 && At.Outranks; }
    void BringToFront(TWindowHandle window) override { Done += window == 7 ? "front;" : "?;"; }
    void AskToClose(TWindowHandle window) override {
        Done += window == 7 ? "close;" : "?;";
        At.LockFreeMs =
            std::min(At.LockFreeMs, At.CloseMs == kNever ? kNever : Clock.TickCount + At.CloseMs);
    }
    void WarningBox(const std::string& text) override { Done += text + ";"; }
    void Pause(std::uint32_t ms) override { Clock.TickCount += ms; }

    TFakeClock Clock;
    TTimeline At;
    std::string Done;
};

TEST(StartUpTest, AStartRunsAsTheOneCopyOrLeavesTheRunningCopyBe) {
    const std::string box = std::string(kOtherCopyStillRunsText) + ";";
    const std::vector<std::tuple<std::string, TTimeline, bool, std::string>> cases = {
        {"no other copy", {0, kNever, kNever, false}, true, ""},
        {"same rights, window up", {kNever, 0, kNever, false}, false, "front;"},
        {"same rights, window late", {kNever, 3000, 0, false}, false, "front;"},
        {"same rights, window up, copy closing", {300, 0, kNever, false}, true, "front;"},
        {"lock held, no window, first copy ends", {3000, kNever, kNever, false}, true, ""},
        {"lock held, no window, for good", {kNever, kNever, 0, true}, false, ""},
        {"fewer rights, ends on close", {kNever, 0, 2000, true}, true, "close;"},
        {"fewer rights, window late, ends on close", {kNever, 1000, 0, true}, true, "close;"},
        {"fewer rights, does not end", {kNever, 0, kNever, true}, false, "close;" + box},
    };
    for (const auto& [name, timeline, runs, done] : cases) {
        SCOPED_TRACE(name);
        TFakeOneCopy copy(timeline);
        EXPECT_EQ(StartAsOneCopy(copy, copy.Clock), runs);
        EXPECT_EQ(copy.Done, done);
    }
}

}  // namespace
