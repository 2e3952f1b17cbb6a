// The configuration commands, the show and the pit-in box's change check: no message contains a
// trigger key, and a command clicked in a tick that typed does nothing.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/app/ProgramFixture.h"

namespace {

const std::string kActionKeys =
    "action keys must not be part of any message - please select another ";
const std::string kPitInMessageWarning = kActionKeys + "Pit in message";
const std::string kPreWarningShowWarning = kActionKeys + "Pit Out Warning";
const std::string kPreWarningWarning = kActionKeys + "Pit Out Warning message";
const std::string kPitOutMessageWarning = kActionKeys + "Pit Out message";
const std::string kKeyWarningEnd = " key must not be part of any message - please select another";
const std::string kWaitKeyWarning = "Wait" + kKeyWarningEnd;
const std::string kPitInKeyWarning = "Pit in" + kKeyWarningEnd;

}  // namespace

class CommandTest : public ProgramFixture {};

TEST_F(CommandTest, EveryCommandDoesNothingInATickThatTypedAndRunsAfterATickThatDidNot) {
    const auto clickEveryCommand = [this] {
        for (const char* caption : {"Set Wait Key", "Set Wait Time", "Set PI Key", "Set PI Message",
                                    "Set PO Warning", "Set PO Message"}) {
            Click(caption);
        }
    };
    Start();
    KeyCaptureWindow.Keys = {'q', 'q'};
    Dialogs.InputAnswers = {"7"};
    MessageEntryWindow.WhileOpen = [&] { MessageEntryWindow.Edit.Value = "new"; };
    Type("x");
    Pump.AtPass(3, [&] { clickEveryCommand(); });  // while the tick's chunk is being typed
    Tick();
    clickEveryCommand();
    EXPECT_EQ(KeyCaptureWindow.Shown, 0);
    EXPECT_TRUE(Dialogs.InputBoxes.empty());
    EXPECT_TRUE(MessageEntryWindow.ShownWith.empty());
    Type("z");
    EXPECT_EQ(F10Count(), 1) << "a command that did not run skips no key";

    Tick();  // the queue is empty: nothing typed
    clickEveryCommand();
    EXPECT_EQ(KeyCaptureWindow.Shown, 2);
    EXPECT_EQ(Boxes(), (Strings{"7", "q (113)", "q (113)", "new", "new", "new"}));
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

// Each message row's box alone holds the message. The key dialog's key is not seen by the
// engine: the first key-down after the command is ignored, whatever it is.
TEST_F(CommandTest, KeyCommandsRefuseAKeyThatAMessageContainsAndIgnoreTheNextKeyDown) {
    struct TCase {
        const char* Command;
        const char* MessageBox;
        std::string Message;
        std::deque<std::uint8_t> Captured;
        std::string Warning;
        std::string Shown;
        std::string Saved;
    };
    const std::vector<TCase> cases = {
        {"Set Wait Key", "Pit In Message", "", {'q'}, "", "q (113)", "113"},
        {"Set Wait Key", "Pit Out Message", "kerb", {'k'}, kWaitKeyWarning, "z (122)", "122"},
        {"Set Wait Key", "PO Pre-Warning", "kerb", {'k'}, kWaitKeyWarning, "z (122)", "122"},
        {"Set Wait Key", "Pit In Message", "kerb", {'k'}, kWaitKeyWarning, "z (122)", "122"},
        {"Set Wait Key", "Pit In Message", "", {}, "", " (0)", "0"},
        {"Set PI Key", "Pit In Message", "Pit In", {'p'}, kPitInKeyWarning, "x (120)", "120"},
        {"Set PI Key", "Pit Out Message", "pit in", {'P'}, kPitInKeyWarning, "x (120)", "120"},
        {"Set PI Key", "Pit In Message", "caf\xC9", {0xE9}, "", "\xE9 (233)", "233"},
        {"Set PI Key", "Pit In Message", "caf\xE9", {0xE9}, kPitInKeyWarning, "x (120)", "120"},
        {"Set PI Key", "PO Pre-Warning", "a[b", {'{'}, "", "{ (123)", "123"},
        {"Set PI Key", "PO Pre-Warning", "lap 1", {'1'}, kPitInKeyWarning, "x (120)", "120"},
        {"Set PI Key", "Pit In Message", "", {'z'}, "", "z (122)", "122"},  // the wait key's own
        {"Set PI Key", "Pit In Message", "", {}, "", " (0)", "0"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Command) + " " + c.Message + " " + c.Shown);
        const bool waitKey = std::string(c.Command) == "Set Wait Key";
        Start("PitInMessage=\r\nPitOutMessage=\r\nPitOutWarning=\r\n");
        Box(c.MessageBox).SetText(c.Message);
        KeyCaptureWindow.Keys = c.Captured;
        Dialogs.Warnings.clear();
        Click(c.Command);
        EXPECT_EQ(Dialogs.Warnings, c.Warning.empty() ? Strings{} : Strings{c.Warning});
        EXPECT_EQ(Box(waitKey ? "Wait Start Key" : "Pit In Key").Value, c.Shown);
        Type("xx");
        EXPECT_EQ(Events(), Strings{"Got key x"});
        Close();
        EXPECT_EQ(IniValue(waitKey ? "actionkey" : "pitinkey"), c.Saved);
    }
}

TEST_F(CommandTest, KeyDialogClosedWithoutAKeyStoresTheKeyCapturedLast) {
    Start();
    KeyCaptureWindow.Keys = {'q'};
    Click("Set PI Key");
    Click("Set Wait Key");
    EXPECT_EQ(Box("Wait Start Key").Value, "q (113)");
    Type("qq");
    EXPECT_EQ(F10Count(), 1);
}

// Shift's key-down, which makes no character, uses up the ignored key: the A reaches the engine.
TEST_F(CommandTest, CapturingShiftAIgnoresTheShiftAndTheAFiresThePitInKey) {
    Start("pitinkey=65\r\nPitInMessage=go\r\nPitOutWarning=soon\r\nPitOutMessage=out\r\n");
    KeyCaptureWindow.Keys = {'A'};
    KeyCaptureWindow.WhileOpen = [&] { Type("A"); };
    Click("Set Wait Key");
    EXPECT_EQ(Events(), Strings{"Got key A"});
    EXPECT_EQ(Box("Wait Start Key").Value, "A (65)");
    Tick();
    EXPECT_EQ(Sent(), Strings{"\rgo\r"});
}

// Keys typed into the input box reach the engine: the wait start key starts a wait.
TEST_F(CommandTest, SetWaitTimeTakesTheIntegerFormsAndKeepsTheOldTimeOnAnythingElse) {
    Start();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"15", "15"}, {"-3", "-3"}, {"15s", "-3"},   {"$1E", "30"},
        {"", "30"},   {"0", "0"},   {" 0x1e", "30"},
    };
    std::string before = "20";
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(typed);
        Dialogs.InputAnswers = {typed};
        Click("Set Wait Time");
        EXPECT_EQ(Dialogs.InputBoxes.back(),
                  "Wait Time Edit / Enter new time in seconds / " + before);
        EXPECT_EQ(Box("Wait Time").Value, shown);
        before = shown;
    }
    EXPECT_TRUE(Dialogs.Warnings.empty());
    Dialogs.WhileInputOpen = [&] { Type("z"); };
    Click("Set Wait Time");
    EXPECT_EQ(Events().front(), "Got key z");
    EXPECT_EQ(F10Count(), 1);
}

// Keys typed into the dialog do nothing; after it, they work at once.
TEST_F(CommandTest, MessageCommandsSetTheirOwnBoxUnlessCancelledInvalidOrHoldingAKey) {
    struct TCase {
        const char* Command;
        const char* MessageBox;
        std::string Typed;
        TModalResult Result;
        std::string Warning;
        bool Set;
    };
    const auto ok = TModalResult::OK;
    const std::vector<TCase> cases = {
        {"Set PI Message", "Pit In Message", "Stop now", ok, "", true},
        {"Set PO Warning", "PO Pre-Warning", "Soon out", ok, "", true},
        {"Set PO Message", "Pit Out Message", "Go go", ok, "", true},
        {"Set PO Message", "Pit Out Message", "other", TModalResult::Cancel, "", false},
        {"Set PI Message", "Pit In Message", "Invalid Message", ok, "", false},
        {"Set PO Warning", "PO Pre-Warning", "Invalid Message", ok, "", false},
        {"Set PO Message", "Pit Out Message", "Invalid Message", ok, "", false},
        {"Set PI Message", "Pit In Message", "eXit", ok, kPitInMessageWarning, false},
        {"Set PI Message", "Pit In Message", "Zone", ok, kPitInMessageWarning, false},
        {"Set PO Warning", "PO Pre-Warning", "eXit", ok, kPreWarningWarning, false},
        {"Set PO Warning", "PO Pre-Warning", "Zone", ok, kPreWarningWarning, false},
        {"Set PO Message", "Pit Out Message", "eXit", ok, kPitOutMessageWarning, false},
        {"Set PO Message", "Pit Out Message", "Zone", ok, kPitOutMessageWarning, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Command) + " " + c.Typed);
        Start();
        const std::string before = Box(c.MessageBox).Value;
        Strings expected = Boxes();
        if (c.Set) {
            std::ranges::replace(expected, before, c.Typed);
        }
        Dialogs.Warnings.clear();
        MessageEntryWindow.Result = c.Result;
        MessageEntryWindow.WhileOpen = [&] {
            Type("xz");
            MessageEntryWindow.Edit.Value = c.Typed;
        };
        Click(c.Command);
        EXPECT_EQ(MessageEntryWindow.ShownWith.back(), before);
        EXPECT_EQ(Boxes(), expected);
        EXPECT_EQ(Dialogs.Warnings, c.Warning.empty() ? Strings{} : Strings{c.Warning});
        Type("x");
        EXPECT_EQ(Events(), Strings{"Got key x"});
    }
}

TEST_F(CommandTest, KeysWorkAgainWhenTheMessageDialogThrows) {
    Start();
    MessageEntryWindow.WhileOpen = [] { throw std::runtime_error("broken"); };
    EXPECT_THROW(Click("Set PO Warning"), std::runtime_error);
    Type("x");
    EXPECT_EQ(Events(), Strings{"Got key x"});
}

// Whoever sets the pit-in box, a text with a key is set back to the last accepted one.
TEST_F(CommandTest, PitInBoxChangedToTextWithAKeyIsSetBackToTheLastAcceptedText) {
    Start();
    MessageEntryWindow.WhileOpen = [&] { MessageEntryWindow.Edit.Value = "Pit lane"; };
    Click("Set PI Message");
    for (const char* text : {"fix the car", "zone"}) {
        Box("Pit In Message").SetText(text);
        EXPECT_EQ(Box("Pit In Message").Value, "Pit lane");
    }
    EXPECT_EQ(Dialogs.Warnings, Strings(2, kPitInMessageWarning));
}

class ShowTest : public ProgramFixture {};

// One journal for the reads, the warnings, the box writes and the hook's start.
TEST_F(ShowTest, LoadsChecksShowsAndStartsTheWatchInThatOrderAfterTakingInsert) {
    Build("Delay=-3\r\nactionkey=378\r\nPitInMessage=box\r\nPitOutWarning=Zoom\r\n");
    ASSERT_EQ(HotKeys.Registered.size(), 1u);
    EXPECT_EQ(HotKeys.Registered.begin()->second, (TCombination{0, 45}));
    TJournal& journal = HiddenWindows.Journal;
    journal.clear();
    Profile.OnRead = [&](const std::string& key) { journal.push_back("read " + key); };
    Dialogs.OnWarning = [&](const std::string&) { journal.push_back("warning"); };
    for (const TMainWindowRow& row : Application.MainWindow.Rows) {
        TFakeTextBox& box = Box(row.Label);
        box.OnChange = [&journal, &box, report = box.OnChange, label = std::string(row.Label)] {
            journal.push_back(label + " = " + box.Value);
            if (report) {
                report();
            }
        };
    }
    Program->Show();
    EXPECT_EQ(journal,
              (TJournal{"read Delay", "read actionkey", "read PitInkey", "read PitInMessage",
                        "Pit In Message = box", "warning", "Pit In Message = ",
                        "read PitOutMessage", "Pit Out Message = Pit Out", "read PitOutWarning",
                        "PO Pre-Warning = Zoom", "warning", "PO Pre-Warning = ", "Wait Time = -3",
                        "Wait Start Key = z (122)", "Pit In Key = x (120)",
                        "start " + std::to_string(HiddenWindows.Last->Handle()) + " 1327"}));
    EXPECT_EQ(Dialogs.Warnings, (Strings{kPitInMessageWarning, kPreWarningShowWarning}));
}

// The watch is started last; a start that failed is told in the log with its cause, no box.
TEST_F(ShowTest, AWatchThatDidNotStartIsToldInTheLogWithItsCause) {
    struct TCase {
        THookStartFailure Failure;
        std::string Detail;
        std::string Cause;
    };
    const std::vector<TCase> cases = {
        {THookStartFailure::NotFound, "C:\\Games\\", "not found in C:\\Games\\"},
        {THookStartFailure::NotLoadable, "Access is denied",
         "could not be loaded: Access is denied"},
        {THookStartFailure::Refused, "", "refused to start"},
        {THookStartFailure::None, "", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Cause);
        HookLibrary.StartResult = c.Failure == THookStartFailure::None;
        HookLibrary.Problem = {c.Failure, c.Detail};
        Start();
        EXPECT_EQ(Events(), c.Cause.empty() ? Strings{}
                                            : Strings{"Keyboard watch off: keyhook.dll " + c.Cause +
                                                      " - keys are not seen until QuorlWait is "
                                                      "started again with keyhook.dll in place"});
    }
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

// Each stored message with a key is cleared with its own warning (the pit-in one, by its box's
// change check, in the show's journal). The loaded pit-in text is not the last accepted one: the
// next text with a key empties the box.
TEST_F(ShowTest, StoredMessagesWithAKeyAreClearedWithTheirOwnWarningInOrder) {
    Start("PitInMessage=Pit lane\r\nPitOutMessage=Zoom out\r\nPitOutWarning=last lap, box\r\n");
    EXPECT_EQ(Dialogs.Warnings, (Strings{kPitOutMessageWarning, kPreWarningShowWarning}));
    EXPECT_EQ(Boxes(), (Strings{"20", "x (120)", "z (122)", "Pit lane", "", ""}));
    Box("Pit In Message").SetText("in the box");
    EXPECT_EQ(Box("Pit In Message").Value, "");
}
