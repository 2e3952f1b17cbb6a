// The start-up: the main window shows the settings and the loop runs; a window that cannot be
// built is shown in the error box, not a silent end.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Main.h"
#include "platform/Exception.h"
#include "tests/fakes/FakeApplication.h"

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

}  // namespace
