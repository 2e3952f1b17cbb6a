// The sender's calls: log lines, injected events, message passes, waits and window activation.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/Sendkeys.h"
#include "tests/fakes/FakeBoxes.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeMessagePump.h"

namespace {

class TRecordingLog : public IEventLog {
  public:
    void LogEvent(const std::string& text) override { Lines.push_back(text); }
    std::vector<std::string> Lines;
};

// Every event carries the program's own mark, which keeps it from the program's own windows.
TInjectedKey Press(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {virtualKey, scanCode, 0, kOwnKeystrokeMark};
}
TInjectedKey Release(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {virtualKey, scanCode, 2, kOwnKeystrokeMark};
}

class SendkeysTest : public testing::Test {
  protected:
    TFakeKeyboard Keyboard;
    TFakeMessagePump Pump;
    TFakeTopLevelWindows Windows;
    TFakeClock Clock;
    TRecordingLog Log;
    TSendkeys Sendkeys{nullptr, Keyboard, Pump, Windows, Clock, Log};
};

}  // namespace

TEST_F(SendkeysTest, EmptyStringLogsOnceAndInjectsNothing) {
    Sendkeys.SendKeys("");
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"Sending string "}));
    EXPECT_TRUE(Keyboard.Events.empty());
    EXPECT_EQ(Pump.Passes, 0);
}

TEST_F(SendkeysTest, F10LogsTheStringAndTheCodeThenTapsVirtualKey121AndPumpsOnce) {
    Sendkeys.SendKeys("\xED");
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"Sending string \xED", "Sending Key \xED"}));
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{Press(121, 68), Release(121, 68)}));
    EXPECT_EQ(Pump.Passes, 1);
}

TEST_F(SendkeysTest, EveryCodeIsLoggedBeforeItsEventsAndFollowedByOneMessagePass) {
    // What the log and the keyboard hold at each pass tells the order: log, inject, pump.
    std::vector<std::string> atPass;
    for (int pass = 1; pass <= 3; ++pass) {
        Pump.AtPass(pass, [&] {
            atPass.push_back(std::to_string(Log.Lines.size()) + " lines, " +
                             std::to_string(Keyboard.Events.size()) + " events");
        });
    }
    Sendkeys.SendKeys(
        "\xFA"
        "a\xFB");
    EXPECT_EQ(atPass, (std::vector<std::string>{"2 lines, 1 events", "3 lines, 3 events",
                                                "4 lines, 4 events"}));
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{Press(16, 42), Press(65, 30),
                                                          Release(65, 30), Release(16, 42)}));
    EXPECT_EQ(Log.Lines.size(), 4u);  // n + 1 lines for n codes
}

TEST_F(SendkeysTest, CtrlHeldByTheStringKeepsTheAutomaticShiftAway) {
    Sendkeys.SendKeys(
        "\xFC"
        "A\xFD");
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{Press(17, 29), Press(65, 30),
                                                          Release(65, 30), Release(17, 29)}));
}

TEST_F(SendkeysTest, FlagFollowsOnlyTheLastModifierCode) {
    // After Ctrl up the flag is clear although Shift is still down: the capital gets its own
    // Shift, whose release also lets go of the Shift that 250 pressed.
    Sendkeys.SendKeys(
        "\xFA\xFC\xFD"
        "A");
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{
                                   Press(16, 42), Press(17, 29), Release(17, 29), Press(16, 42),
                                   Press(65, 30), Release(65, 30), Release(16, 42)}));
}

TEST_F(SendkeysTest, ModifierPressedAtTheEndStaysPressed) {
    const struct {
        const char* Codes;
        TInjectedKey LastEvent;
    } cases[] = {{"a\xFA", Press(16, 42)}, {"a\xFC", Press(17, 29)}, {"a\xFE", Press(18, 56)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.LastEvent.VirtualKey);
        Keyboard.Events.clear();
        Sendkeys.SendKeys(c.Codes);
        EXPECT_EQ(Keyboard.Events.size(), 3u);
        EXPECT_EQ(Keyboard.Events.back(), c.LastEvent);
    }
}

TEST_F(SendkeysTest, EveryCallStartsWithTheFlagClear) {
    Sendkeys.SendKeys("\xFA");
    Keyboard.Events.clear();
    Sendkeys.SendKeys("A");
    EXPECT_EQ(Keyboard.Events.size(), 4u);
}

TEST_F(SendkeysTest, NestedSendRunsWholeBetweenTwoCodesWithItsOwnFlag) {
    Pump.AtPass(1, [&] { Sendkeys.SendKeys("A"); });
    Sendkeys.SendKeys(
        "\xFA"
        "A");
    EXPECT_EQ(Keyboard.Events,
              (std::vector<TInjectedKey>{Press(16, 42),                                  // outer
                                         Press(16, 42), Press(65, 30), Release(65, 30),  // nested
                                         Release(16, 42),                                // nested
                                         Press(65, 30), Release(65, 30)}));              // outer
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"Sending string \xFA"
                                                   "A",
                                                   "Sending Key \xFA", "Sending string A",
                                                   "Sending Key A", "Sending Key A"}));
}

TEST_F(SendkeysTest, ZeroBytesAreCodesLikeAnyOther) {
    Sendkeys.SendKeys(std::string("\0\0", 2));
    EXPECT_EQ(Keyboard.Events.size(), 4u);
    EXPECT_EQ(Pump.Passes, 2);
    EXPECT_EQ(Log.Lines.back(), std::string("Sending Key \0", 13));
}

TEST_F(SendkeysTest, DelayOfZeroOrLessRunsExactlyOnePass) {
    for (const std::int32_t delayMs : {0, -5}) {
        Pump.Passes = 0;
        Sendkeys.Delay(delayMs);
        EXPECT_EQ(Pump.Passes, 1) << delayMs;
    }
}

TEST_F(SendkeysTest, DelayPumpsUntilTheTimeHasPassedAcrossTheCounterWrap) {
    Clock.TickCount = 0xFFFFFFF0u;
    Clock.TickStepPerRead = 30;
    Sendkeys.Delay(100);
    // Readings: start, then +30, +60, +90, +120: four passes.
    EXPECT_EQ(Pump.Passes, 4);
}

TEST_F(SendkeysTest, MakeWindowActiveRestoresAMinimizedWindowOrElseBringsItToTop) {
    Windows.Minimized = 0x77;
    Sendkeys.MakeWindowActive(0x77);
    Sendkeys.MakeWindowActive(0x88);
    EXPECT_EQ(Windows.Calls,
              (std::vector<TWindowCall>{{"ShowWindow", 0x77}, {"BringWindowToTop", 0x88}}));
}

TEST_F(SendkeysTest, TitleLookupCutsTitlesAt255Characters) {
    EXPECT_EQ(Sendkeys.GetHandleFromWindowTitle("Simulation"), 0x1234u);
    EXPECT_EQ(Sendkeys.GetHandleFromWindowTitle("SIMULATION"), 0x1234u)
        << "FindWindowA ignores case";
    EXPECT_EQ(Sendkeys.GetHandleFromWindowTitle(std::string(300, 't')), 0u);
    ASSERT_EQ(Windows.FoundTitles.size(), 3u);
    EXPECT_EQ(Windows.FoundTitles[2], std::string(255, 't'));
}

TEST_F(SendkeysTest, SendKeysToAnUnknownTitleStillActivatesHandleZeroAndTypes) {
    Sendkeys.SendKeysTo("No such window", "a");
    EXPECT_EQ(Windows.Calls, (std::vector<TWindowCall>{{"BringWindowToTop", 0}}));
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{Press(65, 30), Release(65, 30)}));
}

TEST_F(SendkeysTest, SendKeysToActivatesTheWindowBeforeTheFirstKey) {
    Windows.Minimized = 0x1234;
    Keyboard.OnEvent = [&](const TInjectedKey&) { EXPECT_EQ(Windows.Calls.size(), 1u); };
    Sendkeys.SendKeysTo("Simulation", "a");
    EXPECT_EQ(Windows.Calls, (std::vector<TWindowCall>{{"ShowWindow", 0x1234}}));
}
