// The whole run of the program over the fake application: a start beside a running copy, the
// windows and the loop, the save at close, and the error boxes of a window that cannot be built
// and of a keyboard watch that did not stop.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Main.h"
#include "app/Notices.h"
#include "platform/Exception.h"
#include "tests/fakes/FakeApplication.h"

namespace {

// Journals the windows it creates, the message loop with the settings the window shows, and
// the error boxes (and whether a new start could run while one is open), in order; the loop ends
// when the driver closes the main window. The window named Failing throws what Failure throws,
// as a Win32 window throws when CreateWindowExA fails.
class TJournalingApplication : public TFakeApplication {
  public:
    TJournalingApplication() {
        DialogsService.WhileErrorOpen = [this](const std::string&) {
            Journal += "box " + DialogsService.Errors.back() +
                       (OneCopyService.Held ? ";" : " (lock free);");
        };
    }

    IMainWindow& CreateMainWindow(TMainWindowRows rows) override {
        Created("main");
        return TFakeApplication::CreateMainWindow(rows);
    }
    IKeyCaptureWindow& CreateKeyCaptureWindow() override {
        Created("key capture");
        return TFakeApplication::CreateKeyCaptureWindow();
    }
    IMessageEntryWindow& CreateMessageEntryWindow() override {
        Created("message entry");
        return TFakeApplication::CreateMessageEntryWindow();
    }
    int Run() override {
        Journal += "loop: " + MainWindow.BoxOf("Wait Time").Value + ", " +
                   MainWindow.BoxOf("Pit In Message").Value + ";";
        MainWindow.Close();
        return TFakeApplication::Run();
    }

    std::string Failing;
    std::function<void()> Failure;
    std::string Journal;

  private:
    void Created(const std::string& window) {
        Journal += window + ";";
        if (window == Failing) {
            Failure();
        }
    }
};

const std::string kIni = "C:\\Games\\Quorl\\QuorlWait.ini";
const std::string kStart = "[Timing]\r\nDelay=45\r\nPitInMessage=Pit now\r\n";
const std::string kRan = "main;key capture;message entry;loop: 45, Pit now;";

struct TOutcome {
    int Exit;
    std::string Journal;
    std::string Ini;  // the settings file after the run
};

// Each run starts over the same settings file. The handler the platform reports through
// outlives the start-up of a copy that got past the one-copy start.
TEST(RunProgramTest, AStartRunsAsTheOneCopyOrLeavesTheRunningCopyBeAndSaysWhatFailed) {
    using enum TProcessLevel;
    const std::string saved = kStart +
                              "actionkey=122\r\npitinkey=120\r\nPitOutMessage=Pit Out\r\n"
                              "PitOutWarning=Pit Out Warning\r\n";
    const TOutcome runs{0, kRan, saved};
    const TOutcome leaves{0, "", kStart};
    const std::string box = std::string(kOtherCopyStillRunsText) + ";";
    // What a window that cannot be built throws, and what the error box then shows.
    const auto noMemory = [] { throw Exception("Create window: Quorl: Not enough memory"); };
    const TOutcome noWindow{1, "main;box QuorlWait: Create window: Quorl: Not enough memory.;",
                            kStart};
    const auto notAnException = [] { throw 42; };
    const TOutcome unknown{
        1, "main;key capture;box QuorlWait: Internal error: an exception of unknown type.;",
        kStart};
    const TOutcome hookStop{0, kRan + "box QuorlWait: " + kHookStopFailedText + " (lock free);",
                            saved};
    const struct {
        const char* Name;
        TTimeline Other;
        TProcessLevel Level;  // of the other copy's process
        std::string ToOther;  // what the start did to the other copy and the boxes it showed
        TOutcome Expected;
        std::string Failing{};
        std::function<void()> Failure{};
        bool HookStopFails = false;
    } starts[] = {
        {"no other copy: windows in order, settings saved at close", {}, Same, "", runs},
        {"same rights, window up", {kNever, 0, kNever}, Same, "front;", leaves},
        {"same rights, window late", {kNever, 3000, 0}, Same, "front;", leaves},
        {"more rights, window up", {kNever, 0, kNever}, Higher, "front;", leaves},
        {"same rights, window up, copy closing", {300, 0, kNever}, Same, "front;", runs},
        {"same rights, window hidden to save for 8 s",
         {8000, 0, kNever, 100},
         Same,
         "front;",
         runs},
        {"restart during the close: window hidden, 8 s", {8000, 0, kNever, 0}, Same, "", runs},
        {"window hidden, process hangs: two minutes",
         {kNever, 0, kNever, 100},
         Same,
         "front;",
         leaves},
        {"lock held, no window, first copy ends", {3000, kNever, kNever}, Same, "", runs},
        {"lock held, no window, for good", {kNever, kNever, 0}, Lower, "", leaves},
        {"lock held, no window for 5 s", {10000, kNever, kNever}, Same, "", leaves},
        {"fewer rights, ends on close", {kNever, 0, 2000}, Lower, "close;", runs},
        {"fewer rights, saves for 8 s on close", {kNever, 0, 8000}, Lower, "close;", runs},
        {"fewer rights, window late, ends on close", {kNever, 1000, 0}, Lower, "close;", runs},
        {"fewer rights, does not end", {kNever, 0, kNever}, Lower, "close;" + box, leaves},
        {"previous release, no lock", {kNever, 0, kNever, kNever, true}, Same, "front;", leaves},
        {"previous release, fewer rights, shown 2 s on close",
         {kNever, 0, 2000, kNever, true},
         Lower,
         "close;",
         runs},
        {"the main window cannot be created", {}, Same, "", noWindow, "main", noMemory},
        {"a dialog throws no std::exception", {}, Same, "", unknown, "key capture", notAnException},
        {"the hook thread did not stop, told after the loop", {}, Same, "", hookStop, "", {}, true},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.Name);
        TJournalingApplication application;
        application.ProfileFileService.Files[kIni] = kStart;
        application.OneCopyService.At = start.Other;
        application.ForegroundWindowsService.Processes[TFakeOneCopy::kOtherWindow] = {
            start.Level, "QuorlWait.exe"};
        application.Failing = start.Failing;
        application.Failure = start.Failure;
        application.HookStopFails = start.HookStopFails;
        EXPECT_EQ(RunProgram(application), start.Expected.Exit);
        EXPECT_EQ(application.OneCopyService.Done, start.ToOther);
        EXPECT_EQ(application.Journal, start.Expected.Journal);
        EXPECT_EQ(application.ProfileFileService.Files[kIni], start.Expected.Ini);
        EXPECT_EQ(static_cast<bool>(application.Handler), !start.Expected.Journal.empty());
        if (application.Handler) {
            application.Handler(std::runtime_error("later"));
            EXPECT_EQ(application.DialogsService.Errors.back(), "QuorlWait: later.");
        }
    }
}

}  // namespace
