// The keyboard watch: starting the library, decoding reports, the shared repeat count, the
// default processing and the order of destruction.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "components/CPKeyHook.h"
#include "platform/KeyReport.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeKeyboardQueries.h"
#include "tests/fakes/FakeWindows.h"

namespace {

// Flags words of the letter A (scan code 0x1E) as key messages carry them.
constexpr std::uint32_t kPressA = 0x001E0001;
constexpr std::uint32_t kRepeatA = 0x401E0001;
constexpr std::uint32_t kReleaseA = 0xC01E0001;
constexpr std::uint32_t kPressB = 0x00300001;
constexpr std::uint32_t kReleaseB = 0xC0300001;

// Longer than the name's 101 bytes: it comes back cut to 100 characters.
const std::string kLongName = std::string(60, 'n') + std::string(60, 'm');

struct TReport {
    TKeyStates States;
    TKeyNames Names;
    bool OwnEcho;
};

class CPKeyHookTest : public testing::Test {
  protected:
    CPKeyHookTest() {
        Keyboard.Names = {{0x1E, "A"},    {0x44, "F10"},         {0x2A, "Shift"},
                          {0x1D, "Ctrl"}, {0x11D, "Right Ctrl"}, {0x10, kLongName}};
        Hook = std::make_unique<TCPKeyHook>(nullptr, Keyboard, Library, Windows, &Own);
        Window = Windows.Last;
        Hook->OnKey = [this](TComponent* sender, TKeyStates states, TKeyNames names) {
            EXPECT_EQ(sender, Hook.get());
            Reports.push_back({states, names, Hook->IsOwnEcho()});
        };
    }

    std::intptr_t Report(std::uint32_t virtualKey, std::uint32_t flags) {
        return Window->Send(TCPKeyHook::kHookMessage, virtualKey, flags);
    }

    std::vector<std::int32_t> RepeatCounts() const {
        std::vector<std::int32_t> counts;
        for (const TReport& report : Reports) {
            counts.push_back(report.States.RepeatCount);
        }
        return counts;
    }

    TFakeKeyboardQueries Keyboard;
    TFakeHiddenWindows Windows;
    TFakeKeyboardHookLibrary Library{Windows.Journal};
    // The program's own injected keys, which injected reports are matched against.
    TFakeKeyboard OwnKeyboard;
    TFakeClock OwnClock;
    TOwnKeystrokes Own{OwnKeyboard, OwnClock};
    std::unique_ptr<TCPKeyHook> Hook;
    TFakeHiddenWindow* Window = nullptr;
    std::vector<TReport> Reports;
};

TEST_F(CPKeyHookTest, PressHeldAndReleasedCountsTheAutoRepeats) {
    for (std::uint32_t flags : {kPressA, kRepeatA, kRepeatA, kRepeatA, kReleaseA}) {
        EXPECT_EQ(Report('A', flags), 0);
    }
    ASSERT_EQ(Reports.size(), 5u);
    const bool keyDown[] = {true, true, true, true, false};
    const bool wasDown[] = {false, true, true, true, true};
    for (std::size_t i = 0; i < Reports.size(); ++i) {
        SCOPED_TRACE("report " + std::to_string(i));
        EXPECT_EQ(Reports[i].States.KeyDown, keyDown[i]);
        EXPECT_EQ(Reports[i].States.WasDown, wasDown[i]);
        EXPECT_FALSE(Reports[i].States.Synthetic);
    }
    EXPECT_EQ(RepeatCounts(), (std::vector<std::int32_t>{0, 1, 2, 3, 0}));
}

TEST_F(CPKeyHookTest, ACountNeverCarriesOverToAnotherKey) {
    Report('A', kPressA);
    Report('A', kRepeatA);
    Report('A', kRepeatA);
    Report('B', kPressB);  // another key goes down
    Report('A', kRepeatA);
    Report('B', kReleaseB);  // any release
    Report('A', kRepeatA);
    Report('A', kRepeatA);
    EXPECT_EQ(RepeatCounts(), (std::vector<std::int32_t>{0, 1, 2, 0, 1, 0, 1, 2}));
}

TEST_F(CPKeyHookTest, TheCounterIsSharedByAllInstancesAndResetByEveryConstruction) {
    Report('A', kPressA);
    Report('A', kRepeatA);
    Report('A', kRepeatA);
    TCPKeyHook second(nullptr, Keyboard, Library, Windows);
    Report('A', kRepeatA);
    second.OnKey = [this](TComponent*, TKeyStates states, TKeyNames names) {
        Reports.push_back({states, names, false});
    };
    Windows.Last->Send(TCPKeyHook::kHookMessage, 'A', kRepeatA);
    EXPECT_EQ(RepeatCounts(), (std::vector<std::int32_t>{0, 1, 2, 1, 2}));
}

TEST_F(CPKeyHookTest, OnlyTheTwoBareFlagWordsAreSynthetic) {
    struct TCase {
        std::uint32_t Flags;
        bool Synthetic;
        bool KeyDown;
        bool WasDown;
    };
    const TCase cases[] = {
        {0x00000001, true, true, false},   {0xC0000001, true, false, true},
        {0x00000000, false, true, false},  {0x00000002, false, true, false},
        {0x00010001, false, true, false},  {0x01000001, false, true, false},
        {0x20000001, false, true, false},  {0x40000001, false, true, true},
        {0x80000001, false, false, false}, {0xC0000000, false, false, true},
        {0xC0000002, false, false, true},  {0xC0010001, false, false, true},
        {0xC1000001, false, false, true},  {0xE0000001, false, false, true},
        {0xD0000001, false, false, true},  {0x10000001, false, true, false},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "flags 0x" << test.Flags);
        Reports.clear();
        Report(0x41, test.Flags);
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0].States.Synthetic, test.Synthetic);
        EXPECT_EQ(Reports[0].States.KeyDown, test.KeyDown);
        EXPECT_EQ(Reports[0].States.WasDown, test.WasDown);
    }
}

TEST_F(CPKeyHookTest, EachFlagBitLandsInItsOwnField) {
    struct TCase {
        std::uint32_t Bit;
        bool TKeyStates::*Field;
    };
    const TCase cases[] = {{1u << 24, &TKeyStates::Extended},
                           {1u << 28, &TKeyStates::MenuActive},
                           {1u << 29, &TKeyStates::AltDown}};
    for (const TCase& test : cases) {
        SCOPED_TRACE(testing::Message() << "bit 0x" << std::hex << test.Bit);
        Reports.clear();
        Report('A', kPressA);
        Report('A', kPressA | test.Bit);
        ASSERT_EQ(Reports.size(), 2u);
        EXPECT_FALSE(Reports[0].States.*test.Field);
        EXPECT_TRUE(Reports[1].States.*test.Field);
        EXPECT_TRUE(Reports[1].States.KeyDown);
    }
}

// The character is the one the key makes on the desktop, with the Shift, Ctrl, Alt and Caps
// Lock state that the hook reports with it; the program's own thread holds a stale state while
// the simulation has the focus, and that state plays no part.
TEST_F(CPKeyHookTest, TheCharacterAndModifiersComeFromTheReportedStateNotTheThreads) {
    constexpr std::uint8_t kNothing = 0;
    constexpr std::uint8_t kCapsLock = 0x14;
    struct TCase {
        const char* Label;
        std::uint32_t Report;    // the report word: virtual key, injected mark, key state
        std::uint8_t ThreadSaw;  // a key the thread last saw pressed (Caps Lock: toggled on)
        std::uint32_t Flags;
        std::uint8_t Character;
        bool ShiftDown;
        bool CtrlDown;
        std::string Name;
    };
    const TCase cases[] = {
        {"a", 'A', kNothing, kPressA, 'a', false, false, "A"},
        {"Shift+a in the simulation", ReportWParam('A', false, kReportLeftShiftBit), kNothing,
         kPressA, 'A', true, false, "A"},
        {"right Shift+a", ReportWParam('A', false, kReportRightShiftBit), kNothing, kPressA, 'A',
         true, false, "A"},
        {"Shift in the thread's state only", 'A', 0x10, kPressA, 'a', false, false, "A"},
        {"Caps Lock on at the desktop", ReportWParam('A', false, kReportCapsLockBit), kNothing,
         kPressA, 'A', false, false, "A"},
        {"Caps Lock on in the thread's state only", 'A', kCapsLock, kPressA, 'a', false, false,
         "A"},
        {"Caps Lock and Shift", ReportWParam('A', false, kReportCapsLockBit | kReportLeftShiftBit),
         kNothing, kPressA, 'a', true, false, "A"},
        {"Ctrl+a", ReportWParam('A', false, kReportLeftCtrlBit), kNothing, kPressA, 1, false, true,
         "A"},
        {"right Ctrl+a", ReportWParam('A', false, kReportRightCtrlBit), kNothing, kPressA, 1, false,
         true, "A"},
        {"Ctrl in the thread's state only", 'A', 0x11, kPressA, 'a', false, false, "A"},
        {"AltGr+a: none on this layout",
         ReportWParam('A', false, kReportLeftCtrlBit | kReportRightAltBit), kNothing, kPressA, 0,
         false, true, "A"},
        {"Shift+1", ReportWParam('1', false, kReportLeftShiftBit), kNothing, 0x00020001, '!', true,
         false, ""},
        {"F10", 0x79, kNothing, 0x00440001, 0, false, false, "F10"},
        {"Shift's own press", ReportWParam(0xA0, false, kReportLeftShiftBit), kNothing, 0x002A0001,
         0, true, false, "Shift"},
        {"a key without a name", 'Q', kNothing, 0x00770001, 'q', false, false, ""},
        {"the right Ctrl, by its extended bit", 0x11, kNothing, 0x011D0001, 0, false, false,
         "Right Ctrl"},
        {"the left Ctrl", 0x11, kNothing, 0x001D0001, 0, false, false, "Ctrl"},
        {"a name longer than the buffer", 0x51, kNothing, 0x00100001, 'q', false, false,
         kLongName.substr(0, 100)},
        {"marked injected, with no echo list", ReportWParam('A', true), kNothing, kPressA, 'a',
         false, false, "A"},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Label);
        Reports.clear();
        if (test.ThreadSaw != kNothing) {
            Keyboard.SetDown(test.ThreadSaw, true);
        }
        Report(test.Report, test.Flags);
        if (test.ThreadSaw != kNothing) {
            Keyboard.SetDown(test.ThreadSaw, false);
            if (test.ThreadSaw == kCapsLock) {
                Keyboard.SetDown(kCapsLock, true);  // and off again
                Keyboard.SetDown(kCapsLock, false);
            }
        }
        ASSERT_EQ(Reports.size(), 1u);
        EXPECT_EQ(Reports[0].Names.Character, test.Character);
        EXPECT_EQ(Reports[0].States.ShiftDown, test.ShiftDown);
        EXPECT_EQ(Reports[0].States.CtrlDown, test.CtrlDown);
        EXPECT_FALSE(Reports[0].OwnEcho);
        char expectedName[TKeyNames::kKeyNameSize] = {};
        std::memcpy(expectedName, test.Name.data(), test.Name.size());
        EXPECT_EQ(std::memcmp(Reports[0].Names.KeyName, expectedName, sizeof(expectedName)), 0)
            << "name " << std::string(Reports[0].Names.KeyName, 20);
    }
}

TEST_F(CPKeyHookTest, TranslationGetsTheWholeFlagsWordAndTheMenuFlag) {
    Report('A', kReleaseA);
    Report('A', kPressA | (1u << 28));
    ASSERT_EQ(Keyboard.ToAsciiCalls.size(), 2u);
    EXPECT_EQ(Keyboard.ToAsciiCalls[0].VirtualKey, 'A');
    EXPECT_EQ(Keyboard.ToAsciiCalls[0].ScanCode, kReleaseA);
    EXPECT_EQ(Keyboard.ToAsciiCalls[0].Flags & 1u, 0u);
    EXPECT_EQ(Keyboard.ToAsciiCalls[1].ScanCode, kPressA | (1u << 28));
    EXPECT_EQ(Keyboard.ToAsciiCalls[1].Flags & 1u, 1u);
}

// A dead key typed into the simulation waits in the layout for the letter that follows. The
// watch translates each key too, and where the system can, it leaves that wait alone: the
// simulation still gets its ê. Older systems have only the translation that changes it.
TEST_F(CPKeyHookTest, ADeadKeyAndTheLetterAfterItLeaveTheLayoutsDeadKeyStateAlone) {
    constexpr std::uint32_t kVkOem6 = 0xDD;
    Keyboard.DeadKey = kVkOem6;
    for (const bool keeps : {true, false}) {
        SCOPED_TRACE(keeps ? "Windows 10 1607 and later" : "older systems");
        Keyboard.KeepsDeadKeys = keeps;
        Keyboard.PendingDeadKey = 0;
        Keyboard.ToAsciiCalls.clear();
        Reports.clear();
        TCPKeyHook hook(nullptr, Keyboard, Library, Windows);
        hook.OnKey = [this](TComponent*, TKeyStates states, TKeyNames names) {
            Reports.push_back({states, names, false});
        };
        Windows.Last->Send(TCPKeyHook::kHookMessage, kVkOem6, 0x001B0001);
        const std::uint8_t pendingAfterDeadKey = Keyboard.PendingDeadKey;
        Keyboard.PendingDeadKey = '^';  // the simulation's own translation of the dead key
        Windows.Last->Send(TCPKeyHook::kHookMessage, 'E', 0x00120001);
        ASSERT_EQ(Reports.size(), 2u);
        EXPECT_EQ(Reports[0].Names.Character, '^') << "a dead key gives its character";
        for (const TToAsciiCall& call : Keyboard.ToAsciiCalls) {
            EXPECT_EQ((call.Flags & IKeyboardQueries::kKeepDeadKeyState) != 0, keeps);
        }
        if (keeps) {
            EXPECT_EQ(pendingAfterDeadKey, 0) << "the dead key left the layout alone";
            EXPECT_EQ(Keyboard.PendingDeadKey, '^') << "the simulation still gets its ê";
            EXPECT_EQ(Reports[1].Names.Character, 0xEA);
        } else {
            EXPECT_EQ(Keyboard.PendingDeadKey, 0) << "the watch took the accent";
        }
    }
}

TEST_F(CPKeyHookTest, WithoutAHandlerReportsAreDecodedAndDropped) {
    auto handler = Hook->OnKey;
    Hook->OnKey = nullptr;
    EXPECT_EQ(Report('A', kPressA), 0);
    EXPECT_EQ(Report('A', kRepeatA), 0);
    Hook->OnKey = handler;
    Report('A', kRepeatA);
    EXPECT_EQ(RepeatCounts(), (std::vector<std::int32_t>{2}));
}

TEST_F(CPKeyHookTest, AReportNestedInTheHandlerIsDecodedOnItsOwn) {
    Hook->OnKey = [this](TComponent*, TKeyStates states, TKeyNames names) {
        if (Reports.empty() && states.RepeatCount == 0) {
            Report('A', kRepeatA);  // the handler lets the message loop run
        }
        Reports.push_back({states, names, false});
    };
    Report('A', kPressA);
    ASSERT_EQ(Reports.size(), 2u);
    EXPECT_EQ(Reports[0].States.RepeatCount, 1);  // the nested one, finished first
    EXPECT_TRUE(Reports[0].States.WasDown);
    EXPECT_EQ(Reports[1].States.RepeatCount, 0);
    EXPECT_FALSE(Reports[1].States.WasDown);
}

// The sender's codes 250 to 255 inject a modifier's press or its release alone; the hook names
// the left or the right key, and only the report of that key and direction is its echo.
TEST_F(CPKeyHookTest, AnInjectedReportIsTheEchoOfAnEventOfItsKeyAndDirectionOnly) {
    const std::pair<std::uint8_t, std::uint32_t> keys[] = {
        {0x10, 0xA0}, {0x10, 0xA1}, {0x11, 0xA2}, {0x11, 0xA3}, {0x12, 0xA4}, {0x12, 0xA5}};
    for (const auto& [injected, reported] : keys) {
        for (const bool released : {false, true}) {
            SCOPED_TRACE(testing::Message() << reported << (released ? " up" : " down"));
            Own.KeybdEvent(injected, 0x2A, released ? 2 : 0, 0);
            Reports.clear();
            const std::uint32_t other = injected == 0x10 ? 0xA5 : 0xA0;
            Report(ReportWParam(reported, true), released ? 0x002A0001 : 0xC02A0001);
            Report(ReportWParam(other, true), released ? 0xC02A0001 : 0x002A0001);
            Report(ReportWParam(reported, true), released ? 0xC02A0001 : 0x002A0001);
            ASSERT_EQ(Reports.size(), 3u);
            EXPECT_FALSE(Reports[0].OwnEcho) << "the other direction";
            EXPECT_FALSE(Reports[1].OwnEcho) << "another modifier";
            EXPECT_TRUE(Reports[2].OwnEcho);
        }
    }
}

TEST_F(CPKeyHookTest, AnyOtherMessageGetsTheDefaultProcessingAndItsResult) {
    Windows.Journal.clear();
    EXPECT_EQ(Window->Send(0x0010, 0, 0), 1016);
    EXPECT_EQ(Window->Send(TCPKeyHook::kHookMessage + 1, 'A', kPressA),
              1000 + TCPKeyHook::kHookMessage + 1);
    EXPECT_TRUE(Reports.empty());
    EXPECT_EQ(Windows.Journal, (TJournal{"default 16", "default 1328"}));
}

class CPKeyHookLifeTest : public testing::Test {
  protected:
    TFakeKeyboardQueries Keyboard;
    TFakeHiddenWindows Windows;
    TFakeKeyboardHookLibrary Library{Windows.Journal};
};

TEST_F(CPKeyHookLifeTest, StartHookAsksTheLibraryOnceForItsWindowAndMessage) {
    TCPKeyHook hook(nullptr, Keyboard, Library, Windows);
    const std::string handle = std::to_string(Windows.Last->Handle());
    EXPECT_TRUE(hook.StartHook());
    EXPECT_TRUE(hook.GetEnabled());
    EXPECT_FALSE(hook.StartHook());
    EXPECT_TRUE(hook.GetEnabled());
    EXPECT_EQ(Windows.Journal, (TJournal{"create window", "start " + handle + " 1327"}));
}

TEST_F(CPKeyHookLifeTest, ARefusedStartLeavesItDisabledAndMayBeTriedAgain) {
    TCPKeyHook hook(nullptr, Keyboard, Library, Windows);
    Library.StartResult = false;
    EXPECT_FALSE(hook.StartHook());
    EXPECT_FALSE(hook.GetEnabled());
    Library.StartResult = true;
    EXPECT_TRUE(hook.StartHook());
    EXPECT_EQ(Windows.Journal.size(), 3u);
}

TEST_F(CPKeyHookLifeTest, WritingThePropertiesChangesNothing) {
    Keyboard.LayoutName = "0000040C";
    TCPKeyHook hook(nullptr, Keyboard, Library, Windows);
    hook.SetEnabled(true);
    hook.SetKeyboardLayout("00000809");
    EXPECT_FALSE(hook.GetEnabled());
    EXPECT_EQ(hook.GetKeyboardLayout(), "0000040C");
    EXPECT_EQ(hook.GetKeyboardHandle(), 0x04090409);
    EXPECT_EQ(Windows.Journal, (TJournal{"create window"}));
}

TEST_F(CPKeyHookLifeTest, DestructionStopsTheLibraryThenDestroysTheWindowStartedOrNot) {
    for (bool started : {false, true}) {
        SCOPED_TRACE(started ? "started" : "never started");
        Windows.Journal.clear();
        {
            TCPKeyHook hook(nullptr, Keyboard, Library, Windows);
            if (started) {
                hook.StartHook();
            }
            Windows.Journal.clear();
        }
        EXPECT_EQ(Windows.Journal, (TJournal{"stop", "destroy window"}));
    }
}

}  // namespace
