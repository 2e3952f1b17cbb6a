// The start-up: a window that cannot be built is shown in the error box, not a silent end.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Main.h"
#include "platform/Exception.h"
#include "tests/fakes/FakeBoxes.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeKeyboardQueries.h"
#include "tests/fakes/FakeMessagePump.h"
#include "tests/fakes/FakeProfileFile.h"
#include "tests/fakes/FakeWindows.h"

namespace {

// An application whose main window cannot be created: CreateMainWindow throws what the test
// gives, as the Win32 window throws when CreateWindowExA fails.
class TFailingApplication : public IApplication {
  public:
    explicit TFailingApplication(std::function<void()> failure) : Failure(std::move(failure)) {}

    IClock& Clock() override { return ClockService; }
    IKeyboardInput& Keyboard() override { return KeyboardService; }
    IMessagePump& Pump() override { return PumpService; }
    ITopLevelWindows& TopLevelWindows() override { return Windows; }
    IDialogs& Dialogs() override { return DialogsService; }
    IProfileFile& ProfileFile() override { return Profile; }
    IKeyboardQueries& KeyboardQueries() override { return Queries; }
    IKeyboardHookLibrary& HookLibrary() override { return Hook; }
    IHiddenWindows& HiddenWindows() override { return Hidden; }
    IHotKeys& HotKeys() override { return HotKeysService; }
    std::string ExecutablePath() override {
        return "C:\\Spiele\\\xD0\x9F\xD0\xB8\xD1\x82\\QuorlWait.exe";
    }
    void SetErrorHandler(std::function<void(const std::exception&)> handler) override {
        Handler = std::move(handler);
    }
    IMainWindow& CreateMainWindow() override {
        Failure();
        throw std::logic_error("the failure threw nothing");
    }
    IKeyCaptureWindow& CreateKeyCaptureWindow() override { throw std::logic_error("too far"); }
    IMessageEntryWindow& CreateMessageEntryWindow() override { throw std::logic_error("too far"); }
    int Run() override {
        ++Runs;
        return 0;
    }

    std::function<void()> Failure;
    std::function<void(const std::exception&)> Handler;
    int Runs = 0;
    TFakeClock ClockService;
    TFakeKeyboard KeyboardService;
    TFakeMessagePump PumpService;
    TFakeTopLevelWindows Windows;
    TFakeDialogs DialogsService;
    TFakeProfileFile Profile;
    TFakeKeyboardQueries Queries;
    TFakeHiddenWindows Hidden;
    TFakeKeyboardHookLibrary Hook{Hidden.Journal};
    TFakeHotKeys HotKeysService;
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

}  // namespace
