// The configuration commands and the pit-in box's change check: no message contains a key.
#include <cstdint>
#include <string>
#include <vector>

#include "app/ErrorHandler.h"
#include "app/MessageRules.h"
#include "platform/Exception.h"
#include "tests/app/EngineFixture.h"

using Strings = std::vector<std::string>;

namespace {
const std::string kPitInMessageWarning =
    "action keys must not be part of any message - please select another Pit in message";
}

class CommandTest : public EngineFixture {
  protected:
    CommandTest() {
        WaitTimeEdit.Value = "20";
        KeyEdit.Value = KeyDisplayText('z');
        PitInEdit.Value = KeyDisplayText('x');
        Form.LastPitInMessage = "Pit In";
    }

    void ClickAll() {
        Form.Button1Click();
        Form.Button2Click();
        Form.Button3Click();
        Form.Button4Click();
        Form.Button5Click();
        Form.Button6Click();
    }
};

TEST_F(CommandTest, EveryCommandDoesNothingInATickThatTypedAChunk) {
    Form.SentThisTick = true;
    KeyCaptureWindow.Keys = {'q', 'q'};
    Dialogs.InputAnswers = {"7"};
    MessageEntryWindow.Edit.Value = "new";
    ClickAll();
    EXPECT_EQ(KeyCaptureWindow.Shown, 0);
    EXPECT_TRUE(Dialogs.InputBoxes.empty());
    EXPECT_TRUE(MessageEntryWindow.ShownWith.empty());
    EXPECT_TRUE(Dialogs.Warnings.empty());
    EXPECT_FALSE(Form.SkipNextKey);
    EXPECT_EQ(Form.WaitSeconds, 20);
    EXPECT_EQ(PitInMessageEdit.Value, "Pit In");
}

TEST_F(CommandTest, ClickDuringASendDoesNothingWhileTheTicksChunkIsBeingTyped) {
    Press('x');
    KeyCaptureWindow.Keys = {'q'};
    Pump.AtPass(3, [&] { Form.Button1Click(); });
    Tick();
    EXPECT_EQ(KeyCaptureWindow.Shown, 0);
    EXPECT_EQ(Form.ActionKey, 'z');
}

TEST_F(CommandTest, SetWaitKeyStoresTheCapturedKeyAndShowsIt) {
    KeyCaptureWindow.Keys = {'q'};
    Form.Button1Click();
    EXPECT_EQ(Form.ActionKey, 'q');
    EXPECT_EQ(KeyEdit.Value, "q (113)");
    EXPECT_TRUE(Form.SkipNextKey) << "no key reached the engine to use it up";
}

TEST_F(CommandTest, CapturingShiftAUsesSkipNextKeyOnShiftSoTheAReachesTheEngine) {
    Form.PitInKey = 'a';
    PitInMessageEdit.Value = "go";
    POWarningEdit.Value = "soon";
    PitOutMessageEdit.Value = "out";
    KeyCaptureWindow.Keys = {'A'};
    KeyCaptureWindow.WhileOpen = [&] {
        Press(0);    // Shift: no character
        Press('a');  // the engine sees the key as its own thread's state gives it
    };
    Form.Button1Click();
    Memo1.Flush();
    EXPECT_EQ(Events(), Strings{"Got key a"});
    EXPECT_EQ(Form.QueueCount, 4) << "a matched the pit-in key and queued its message";
    EXPECT_EQ(Form.ActionKey, 65);
    EXPECT_EQ(KeyEdit.Value, "A (65)");
}

TEST_F(CommandTest, SetWaitKeyRefusesAKeyThatAnyOfTheThreeMessagesContains) {
    for (TFakeTextBox* box : {&PitOutMessageEdit, &POWarningEdit, &PitInMessageEdit}) {
        SCOPED_TRACE(box == &PitOutMessageEdit ? "pit-out"
                     : box == &POWarningEdit   ? "pre-warning"
                                               : "pit-in");
        Dialogs.Warnings.clear();
        const std::string before = box->Value;
        box->Value = "kerb";
        KeyCaptureWindow.Keys = {'k'};
        Form.Button1Click();
        EXPECT_EQ(Dialogs.Warnings,
                  Strings{"Wait key must not be part of any message - please select another"});
        EXPECT_EQ(Form.ActionKey, 'z');
        EXPECT_EQ(KeyEdit.Value, "z (122)");
        box->Value = before;
    }
}

TEST_F(CommandTest, SetPiKeyFindsLettersInEitherCaseButOtherBytesOnlyAsThemselves) {
    struct TCase {
        std::uint8_t Key;
        std::string Message;
        bool Refused;
        std::string Shown;
    };
    const std::vector<TCase> cases = {
        {'p', "Pit In", true, "x (120)"},       {'P', "pit in", true, "x (120)"},
        {0xE9, "caf\xC9", false, "\xE9 (233)"}, {0xE9, "caf\xE9", true, "x (120)"},
        {'{', "a[b", false, "{ (123)"},         {'1', "lap 1", true, "x (120)"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Message);
        Dialogs.Warnings.clear();
        Form.PitInKey = 'x';
        PitInEdit.Value = "x (120)";
        PitInMessageEdit.Value = c.Message;
        KeyCaptureWindow.Keys = {c.Key};
        Form.Button3Click();
        EXPECT_EQ(Dialogs.Warnings.size(), c.Refused ? 1u : 0u);
        EXPECT_EQ(Form.PitInKey, c.Refused ? 'x' : c.Key);
        EXPECT_EQ(PitInEdit.Value, c.Shown);
    }
    EXPECT_EQ(Dialogs.Warnings,
              Strings{"Pit in key must not be part of any message - please select another"});
}

TEST_F(CommandTest, KeyDialogClosedWithoutAKeyStoresTheLastCapturedOneAndKeepsSkipNextKey) {
    Form.Button1Click();  // closed before any capture: code 0
    EXPECT_EQ(Form.ActionKey, 0);
    EXPECT_EQ(KeyEdit.Value, " (0)");
    KeyCaptureWindow.Keys = {'q'};
    Form.Button3Click();
    Form.Button1Click();  // closed without a key again: the q captured last
    EXPECT_EQ(Form.ActionKey, 'q');
    EXPECT_TRUE(Form.SkipNextKey);
}

TEST_F(CommandTest, SameCharacterForBothKeysIsAllowed) {
    KeyCaptureWindow.Keys = {'z'};
    Form.Button3Click();
    EXPECT_EQ(Form.PitInKey, 'z');
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

TEST_F(CommandTest, SetWaitTimeTakesTheIntegerFormsAndIgnoresTheRestSilently) {
    struct TCase {
        std::string Typed;
        std::int32_t Expected;
    };
    // Each form that is no integer follows a value it would not read as.
    const std::vector<TCase> cases = {
        {"15", 15}, {"-3", -3}, {"15s", -3}, {"$1E", 30}, {"", 30}, {"0", 0}, {" 0x1e", 30},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        Dialogs.InputAnswers = {c.Typed};
        Form.Button2Click();
        EXPECT_EQ(Form.WaitSeconds, c.Expected);
        EXPECT_EQ(WaitTimeEdit.Value, std::to_string(c.Expected));
    }
    EXPECT_EQ(Dialogs.InputBoxes.front(), "Wait Time Edit / Enter new time in seconds / 20");
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

TEST_F(CommandTest, TypingTheWaitStartKeyIntoTheWaitTimeBoxStartsAWait) {
    Dialogs.WhileInputOpen = [&] { Press('z'); };
    Form.Button2Click();
    EXPECT_TRUE(Form.WaitActive);
    Memo1.Flush();
    EXPECT_EQ(Events().front(), "Got key z");
}

class MessageCommandTest : public CommandTest {};

TEST_F(MessageCommandTest, OkSetsTheBoxAndKeysAreIgnoredWhileTheDialogIsOpen) {
    struct TCase {
        void (TForm1::*Click)();
        TFakeTextBox* Box;
        std::string Typed;
    };
    const std::vector<TCase> cases = {
        {&TForm1::Button4Click, &PitInMessageEdit, "Stop now"},
        {&TForm1::Button5Click, &POWarningEdit, "Soon out"},
        {&TForm1::Button6Click, &PitOutMessageEdit, "Go go"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        const std::string before = c.Box->Value;
        MessageEntryWindow.ShownWith.clear();
        MessageEntryWindow.WhileOpen = [&] {
            EXPECT_TRUE(Form.MessageDialogOpen);
            Press('x');
            Press('z');
            MessageEntryWindow.Edit.Value = c.Typed;
        };
        (Form.*c.Click)();
        EXPECT_EQ(MessageEntryWindow.ShownWith, Strings{before});
        EXPECT_EQ(c.Box->Value, c.Typed);
        Memo1.Flush();
        EXPECT_TRUE(Memo1.Stored.empty());
        EXPECT_FALSE(Form.MessageDialogOpen);
    }
    EXPECT_EQ(Form.LastPitInMessage, "Stop now");
    EXPECT_EQ(Strings({PitInMessageEdit.Value, POWarningEdit.Value, PitOutMessageEdit.Value}),
              Strings({"Stop now", "Soon out", "Go go"}));
}

TEST_F(MessageCommandTest, CancelChangesNothingAndKeysWorkAgainAtOnce) {
    MessageEntryWindow.Result = TModalResult::Cancel;
    MessageEntryWindow.WhileOpen = [&] { MessageEntryWindow.Edit.Value = "other"; };
    Form.Button6Click();
    EXPECT_EQ(PitOutMessageEdit.Value, "Pit Out");
    EXPECT_FALSE(Form.MessageDialogOpen);
    Press('x');
    EXPECT_EQ(Form.QueueCount, 8);
}

TEST_F(MessageCommandTest, InvalidMessageIsIgnoredWithoutAWarning) {
    for (const auto click : {&TForm1::Button4Click, &TForm1::Button5Click, &TForm1::Button6Click}) {
        MessageEntryWindow.WhileOpen = [&] { MessageEntryWindow.Edit.Value = "Invalid Message"; };
        (Form.*click)();
    }
    EXPECT_TRUE(Dialogs.Warnings.empty());
    EXPECT_EQ(PitInMessageEdit.Value, "Pit In");
    EXPECT_EQ(POWarningEdit.Value, "Pit Out Warning");
    EXPECT_EQ(PitOutMessageEdit.Value, "Pit Out");
}

TEST_F(MessageCommandTest, MessageWithATriggerKeyIsRefusedWithItsCommandsWarning) {
    struct TCase {
        void (TForm1::*Click)();
        TFakeTextBox* Box;
        std::string Warning;
    };
    const std::vector<TCase> cases = {
        {&TForm1::Button4Click, &PitInMessageEdit, kPitInMessageWarning},
        {&TForm1::Button5Click, &POWarningEdit,
         "action keys must not be part of any message - please select another Pit Out Warning "
         "message"},
        {&TForm1::Button6Click, &PitOutMessageEdit,
         "action keys must not be part of any message - please select another Pit Out message"},
    };
    for (const TCase& c : cases) {
        for (const std::string typed : {"eXit", "Zone"}) {  // the pit-in key, the wait key
            SCOPED_TRACE(c.Warning + " / " + typed);
            Dialogs.Warnings.clear();
            const std::string before = c.Box->Value;
            MessageEntryWindow.WhileOpen = [&] { MessageEntryWindow.Edit.Value = typed; };
            (Form.*c.Click)();
            EXPECT_EQ(Dialogs.Warnings, Strings{c.Warning});
            EXPECT_EQ(c.Box->Value, before);
            EXPECT_FALSE(Form.MessageDialogOpen);
        }
    }
}

TEST_F(MessageCommandTest, DialogFlagIsClearedEvenWhenTheDialogThrows) {
    MessageEntryWindow.WhileOpen = [] { throw std::runtime_error("broken"); };
    EXPECT_THROW(Form.Button5Click(), std::runtime_error);
    EXPECT_FALSE(Form.MessageDialogOpen);
}

TEST_F(MessageCommandTest, PitInBoxChangedToTextWithAKeyIsSetBackToTheLastAcceptedText) {
    PitInMessageEdit.SetText("Pit lane");
    EXPECT_EQ(Form.LastPitInMessage, "Pit lane");
    PitInMessageEdit.SetText("fix the car");  // x
    EXPECT_EQ(Dialogs.Warnings, Strings{kPitInMessageWarning});
    EXPECT_EQ(PitInMessageEdit.Value, "Pit lane");
    EXPECT_EQ(Form.LastPitInMessage, "Pit lane");
}

TEST(ErrorHandlerTest, ErrorBoxIsCaptionedWithTheExecutablesNameAndEndsInAFullStop) {
    EXPECT_EQ(ApplicationTitle("C:\\Games\\Quorl\\QuorlWait.exe"), "QuorlWait");
    EXPECT_EQ(ApplicationTitle("QuorlWait"), "QuorlWait");
    EXPECT_EQ(ApplicationTitle("D:\\Quorl.v2\\Quorl.Wait.exe"), "Quorl.Wait");
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"Unable to write to C:\\Games\\QuorlWait.ini",
         "Unable to write to C:\\Games\\QuorlWait.ini."},
        {"Cannot create file Log.txt", "Cannot create file Log.txt."},
        {"Already a stop.", "Already a stop."},
        {"Shouted!", "Shouted!"},  // "!" sorts before "."
        {"caf\xE9", "caf\xE9."},
        {"", ""},
    };
    for (const auto& [message, shown] : texts) {
        EXPECT_EQ(ErrorBoxText(message), shown);
    }
    TFakeDialogs dialogs;
    TDefaultErrorHandler handler(dialogs, "QuorlWait");
    handler.ShowException(std::runtime_error("Cannot create file Log.txt"));
    EXPECT_EQ(dialogs.Errors, Strings{"QuorlWait: Cannot create file Log.txt."});
}

// The box's modal loop goes on dispatching keys and ticks: a handler that fails on each of
// them gets one box, not one per key; after the box, the next error has a box of its own, also
// when the last box could not be shown at all.
TEST(ErrorHandlerTest, OneBoxAtATimeWhateverFailsWhileItIsOpen) {
    TFakeDialogs dialogs;
    TDefaultErrorHandler handler(dialogs, "QuorlWait");
    int keysWhileOpen = 0;
    dialogs.WhileErrorOpen = [&](const std::string&) {
        while (keysWhileOpen < 50) {
            ++keysWhileOpen;
            handler.ShowException(std::runtime_error("broken on every key"));
        }
    };
    dialogs.ErrorBoxFails = true;
    handler.ShowException(std::runtime_error("broken on every key"));
    EXPECT_EQ(keysWhileOpen, 50);
    dialogs.WhileErrorOpen = nullptr;
    dialogs.ErrorBoxFails = false;
    handler.ShowException(EUnknownException());
    EXPECT_EQ(dialogs.Errors,
              (Strings{"QuorlWait: broken on every key.",
                       "QuorlWait: Internal error: an exception of unknown type."}));
}

class ShowTest : public EngineFixture {
  protected:
    void WriteSettings(const std::string& lines) {
        ProfileFile.Files["C:\\Games\\Quorl\\QuorlWait.ini"] = "[Timing]\r\n" + lines;
    }
};

TEST_F(ShowTest, LoadsChecksShowsAndStartsTheWatchInThatOrder) {
    WriteSettings("Delay=-3\r\nactionkey=378\r\nPitOutWarning=Zoom\r\n");
    // One journal for the reads, the warnings, the box writes and the hook's start.
    TJournal& journal = HiddenWindows.Journal;
    journal.clear();
    ProfileFile.OnRead = [&](const std::string& key) { journal.push_back("read " + key); };
    Dialogs.OnWarning = [&](const std::string&) { journal.push_back("warning"); };
    const std::pair<TFakeTextBox*, std::string> boxes[] = {{&WaitTimeEdit, "wait time"},
                                                           {&KeyEdit, "wait key"},
                                                           {&PitInEdit, "pit-in key"},
                                                           {&POWarningEdit, "pre-warning"}};
    for (const auto& [box, name] : boxes) {
        box->OnChange = [&journal, box = box, name = name] {
            journal.push_back(name + " = " + box->Value);
        };
    }
    Form.FormShow();
    EXPECT_EQ(WaitTimeEdit.Value, "-3");
    EXPECT_EQ(KeyEdit.Value, "z (122)");
    EXPECT_EQ(PitInEdit.Value, "x (120)");
    EXPECT_EQ(Dialogs.Warnings.size(), 1u);
    EXPECT_EQ(
        journal,
        (TJournal{"read Delay", "read actionkey", "read PitInkey", "read PitInMessage",
                  "read PitOutMessage", "read PitOutWarning", "pre-warning = Zoom", "warning",
                  "pre-warning = ", "wait time = -3", "wait key = z (122)", "pit-in key = x (120)",
                  "start " + std::to_string(HiddenWindows.Last->Handle()) + " 1327"}));
}

// The watch is started last; a start that failed is told in the log with its cause, no box.
TEST_F(ShowTest, AWatchThatDidNotStartIsToldInTheLogWithItsCause) {
    const std::string tail =
        " - keys are not seen until QuorlWait is started again with keyhook.dll in place";
    struct TCase {
        THookStartFailure Failure;
        std::string Detail;
        Strings Lines;
    };
    const std::vector<TCase> cases = {
        {THookStartFailure::NotFound,
         "C:\\Games\\Quorl\\",
         {"Keyboard watch off: keyhook.dll not found in C:\\Games\\Quorl\\" + tail}},
        {THookStartFailure::NotLoadable,
         "Access is denied",
         {"Keyboard watch off: keyhook.dll could not be loaded: Access is denied" + tail}},
        {THookStartFailure::Refused,
         "",
         {"Keyboard watch off: keyhook.dll refused to start" + tail}},
        {THookStartFailure::None, "", {}},  // started: last, as a started watch stays on
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Lines.empty() ? "started" : c.Lines[0]);
        HookLibrary.StartResult = c.Failure == THookStartFailure::None;
        HookLibrary.Problem = {c.Failure, c.Detail};
        Memo1.Flush();
        const std::size_t lines = Events().size();
        Form.FormShow();
        Memo1.Flush();
        const Strings all = Events();
        EXPECT_EQ(Strings(all.begin() + static_cast<std::ptrdiff_t>(lines), all.end()), c.Lines);
    }
    EXPECT_TRUE(Dialogs.Warnings.empty());
}

TEST_F(ShowTest, PitInMessageWithThePitInKeyWarnsOnceFromTheChangeCheckAndEndsEmpty) {
    WriteSettings("PitInMessage=box box\r\n");
    Form.FormShow();
    EXPECT_EQ(Dialogs.Warnings, Strings{kPitInMessageWarning});
    EXPECT_EQ(PitInMessageEdit.Value, "");
    EXPECT_EQ(Form.LastPitInMessage, "");
}

TEST_F(ShowTest, OtherMessagesWithAKeyAreClearedWithTheirOwnWarningInOrder) {
    WriteSettings(
        "PitInMessage=Pit lane\r\nPitOutMessage=Zoom out\r\nPitOutWarning=last lap, box\r\n");
    Form.FormShow();
    EXPECT_EQ(Dialogs.Warnings,
              (Strings{"action keys must not be part of any message - please select another "
                       "Pit Out message",
                       "action keys must not be part of any message - please select another "
                       "Pit Out Warning"}));
    EXPECT_EQ(PitOutMessageEdit.Value, "");
    EXPECT_EQ(POWarningEdit.Value, "");
    EXPECT_EQ(PitInMessageEdit.Value, "Pit lane");
    // The loaded text is not the last accepted one: a change to a text with a key empties it.
    PitInMessageEdit.SetText("in the box");
    EXPECT_EQ(PitInMessageEdit.Value, "");
}

TEST_F(ShowTest, InsertIsRegisteredAsTheHotKeyBeforeTheWindowIsShown) {
    ASSERT_EQ(HotKeys.Registered.size(), 1u);
    EXPECT_EQ(HotKeys.Registered.begin()->second, (TCombination{0, 45}));
}
