// The wait engine as the driver meets it: trigger keys, the queue's pace, the wait's ticks,
// events nested in sends, and the program's own keys coming back.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/app/ProgramFixture.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr std::uint32_t kVkEnter = 13;
constexpr std::uint32_t kVkOem2 = 0xBF;  // "/" and "?" on the US layout

}  // namespace

class EngineTest : public ProgramFixture {
  protected:
    // The log's "Got key" lines, one per key-down the engine took.
    Strings GotKeys() {
        Strings keys;
        for (const std::string& event : Events()) {
            if (event.starts_with("Got key")) {
                keys.push_back(event);
            }
        }
        return keys;
    }
    int GotKey(char character) {
        const Strings keys = GotKeys();
        return static_cast<int>(
            std::count(keys.begin(), keys.end(), "Got key " + std::string(1, character)));
    }
    // Ticks until the count of F10 presses reaches `f10s`; the tick that did it, 0 for none
    // within `limit`.
    int TickOfF10(int f10s, int limit) {
        for (int tick = 1; tick <= limit; ++tick) {
            Tick();
            if (F10Count() >= f10s) {
                return tick;
            }
        }
        return 0;
    }
    // The driver's text in a message box, as the "Set ..." dialog leaves it.
    void SetBox(const std::string& label, const std::string& text) { Box(label).Value = text; }
    // The strings sent from the `from`th on.
    Strings SentFrom(std::size_t from) {
        const Strings all = Sent();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
    }
};

class QueueTest : public EngineTest {
  protected:
    QueueTest() { Start(); }
};

TEST_F(QueueTest, PitInKeyLogsAndTypesEnterMessageEnterFromTheNextTick) {
    Type("x");
    EXPECT_EQ(Events(), Strings{"Got key x"});
    EXPECT_TRUE(Sent().empty());
    Tick();
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
    Ticks(5);
    EXPECT_EQ(Sent().size(), 1u) << "ticks with nothing queued send nothing";
}

TEST_F(QueueTest, MessageGoesOutElevenCodesPerTickAndALastSingleCodeInATickOfItsOwn) {
    SetBox("Pit In Message", "abcdefghijklmnopqrstu");
    Type("x");
    Ticks(4);
    EXPECT_EQ(Sent(), (Strings{"\rabcdefghij", "klmnopqrstu", "\r"}));
    // Twelve lines per chunk of eleven: the string and every key.
    EXPECT_EQ(Events().size(), 1u + 12u + 12u + 2u);
}

TEST_F(QueueTest, TheMessageIsItsBoxsTextWhenTheKeyCameCutTo254Characters) {
    const struct {
        const char* Label;
        std::string Message;
        std::string Typed;
    } cases[] = {
        {"empty", "", "\r\r"},
        {"2047 characters", std::string(2047, 'a') + "b", "\r" + std::string(254, 'a') + "\r"},
        {"253 then b", std::string(253, 'a') + "b", "\r" + std::string(253, 'a') + "b\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Label);
        const std::size_t before = Typed().size();
        SetBox("Pit In Message", c.Message);
        Type("x");
        SetBox("Pit In Message", "changed after the key");
        Ticks(30);
        EXPECT_EQ(Typed().substr(before), c.Typed);
    }
}

TEST_F(QueueTest, AutoRepeatRequeuesTheMessageFromItsStart) {
    SetBox("Pit In Message", std::string(30, 'm'));
    Key('X', false);
    Tick();
    Key('X', false);  // the held key repeats
    Key('X', true);
    Tick();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1], "\r" + std::string(10, 'm'));
}

TEST_F(QueueTest, MessageBytesFrom228AreTypedAsTheirSpecialKeys) {
    SetBox("Pit In Message", "\xE4\xF0\xFA");  // F1, Home, Shift down
    Type("x");
    Tick();
    std::vector<std::uint8_t> virtualKeys;
    for (const TInjectedKey& key : Keyboard.Events) {
        virtualKeys.push_back(key.VirtualKey);
    }
    EXPECT_EQ(virtualKeys, (std::vector<std::uint8_t>{13, 13, 112, 112, 36, 36, 16, 13, 13}));
}

class KeyEventTest : public EngineTest {
  protected:
    KeyEventTest() { Start(); }
};

TEST_F(KeyEventTest, ReleasesAndKeysWhileAMessageDialogIsOpenDoNothingAtAll) {
    Key('X', true);
    Key('Z', true);
    MessageEntryWindow.Result = TModalResult::Cancel;
    MessageEntryWindow.WhileOpen = [this] { Type("xz"); };
    Click("Set PI Message");
    Ticks(3);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(F10Count(), 0);
    Type("x");
    EXPECT_EQ(GotKeys(), Strings{"Got key x"}) << "keys count again once it is closed";
}

// The key pressed in the key-capture dialog is the one the engine skips: the next key-down,
// whatever it is; a release does not use it up.
TEST_F(KeyEventTest, ASetKeyDialogUsesUpTheNextKeyDownSilently) {
    KeyCaptureWindow.Keys = {'q'};
    Click("Set PI Key");
    Key('Q', true);
    Type("z");
    Ticks(3);
    EXPECT_TRUE(Events().empty());
    EXPECT_EQ(F10Count(), 0);
    Type("q");
    EXPECT_EQ(GotKeys(), Strings{"Got key q"});
}

// The program's own 1 (of "!") never comes back (a full queue refused its report) when the
// driver presses 1: a key of the keyboard carries no injected mark and is never taken for it.
// Another program's injected 1 is, while the echo may still come, but not 3 s later.
TEST_F(EngineTest, TheDriversKeyIsNeverTakenForAnEchoThatNeverCame) {
    Start("PitInkey=49\r\nPitInMessage=Go!\r\n");
    Tap('1');
    Pump.AtPass(4, [this] { Tap('1'); });
    Ticks(10);
    EXPECT_EQ(Sent(), (Strings{"\rGo!\r", "\rGo!\r"}));
    Clock.TickCount += 3000;
    Tap('1', true);
    Ticks(1);
    EXPECT_EQ(Sent().size(), 3u) << "another program's 1, 3 s after the lost echo";
}

// Every key-down is logged; a trigger fires on its exact byte only, never on character 0 (every
// key without one: F10, Shift; a settings file can hold a key of 256), and one character may
// be both keys. The zero byte ends the log line, as it ends a window's text.
struct TTriggerCase {
    const char* Label;
    std::string Settings;
    std::string Typed;  // on the US layout; empty: F10 is pressed instead
    Strings Logged;
    Strings Sent;
    friend void PrintTo(const TTriggerCase& c, std::ostream* out) { *out << c.Label; }
};

class TriggerTest : public EngineTest, public testing::WithParamInterface<TTriggerCase> {};

TEST_P(TriggerTest, AKeyIsLoggedAndFiresTheTriggersWhoseByteItIs) {
    Start(GetParam().Settings);
    if (GetParam().Typed.empty()) {
        Tap(kVkF10);
    } else {
        Type(GetParam().Typed);
    }
    Tick();
    EXPECT_EQ(GotKeys(), GetParam().Logged);
    EXPECT_EQ(Sent(), GetParam().Sent);
}

INSTANTIATE_TEST_SUITE_P(
    Keys,
    TriggerTest,
    testing::Values(
        TTriggerCase{"shifted x is not the pit-in key", "", "X", {"Got key ", "Got key X"}, {}},
        TTriggerCase{"no character", "", "", {"Got key "}, {}},
        TTriggerCase{"character 0 as both keys",
                     "actionkey=256\r\nPitInkey=0\r\n",
                     "",
                     {"Got key "},
                     {}},
        TTriggerCase{"one character as both keys",
                     "actionkey=120\r\n",
                     "x",
                     {"Got key x"},
                     {ProgramFixture::kF10, "\rPit In\r"}},
        TTriggerCase{"the wait start key", "", "z", {"Got key z"}, {ProgramFixture::kF10}}));

class WaitTest : public EngineTest {};

TEST_F(WaitTest, WaitStartKeySendsF10AtOnceAndAgainOnlyAtTheWaitsEnd) {
    Start();
    Type("z");
    EXPECT_EQ(Events(), (Strings{"Got key z", "Sending string " + kF10, "Sending Key " + kF10}));
    Tick();
    Type("z");
    EXPECT_EQ(Events().back(), "Got key z") << "the key during a wait is only logged";
    Clock.AdvanceSeconds(0.05);
    EXPECT_EQ(TickOfF10(2, 400), 204) << "the end stays 20 s after the first key";
}

// The tick on which each part of a wait shows, counting ticks after the wait start key: the first
// that types the warning, and the one that sends the second F10.
struct TWaitTimeline {
    int Seconds;
    int WarningTick;  // 0: never
    int PitOutTick;
    friend void PrintTo(const TWaitTimeline& timeline, std::ostream* out) {
        *out << timeline.Seconds << " s";
    }
};

class WaitTimelineTest : public EngineTest, public testing::WithParamInterface<TWaitTimeline> {};

// Tick k falls k * 100 ms + 50 ms after the key, clear of the exact boundaries, which sums of
// tenths of a second cannot hit exactly in a day count anyway.
TEST_P(WaitTimelineTest, WarningFiveSecondsBeforeTheEndAndPitOutOnTheSixthTickAfterIt) {
    Start("Delay=" + std::to_string(GetParam().Seconds) + "\r\n");
    for (const int wait : {1, 2}) {
        SCOPED_TRACE(wait == 1 ? "the first wait" : "the next one");
        Type("z");
        Clock.AdvanceSeconds(0.05);
        TWaitTimeline seen{GetParam().Seconds, 0, 0};
        const int lastTick = std::max(seen.Seconds, 0) * 10 + 20;
        for (int tick = 1; tick <= lastTick && seen.PitOutTick == 0; ++tick) {
            Tick();
            if (seen.WarningTick == 0 && Sent().back().starts_with("\rPit Out W")) {
                seen.WarningTick = tick;
            }
            seen.PitOutTick = F10Count() == 2 * wait ? tick : 0;
        }
        EXPECT_EQ(seen.WarningTick, GetParam().WarningTick);
        EXPECT_EQ(seen.PitOutTick, GetParam().PitOutTick);
        Ticks(3);
        EXPECT_EQ(Sent().back(), "\rPit Out\r");
    }
}

// 20 s: tick 150 (15.05 s) is the first later than 15 s and queues the warning, which the next
// tick types; ticks 200 to 205 are later than 20 s. A wait under 5 s has no warning.
INSTANTIATE_TEST_SUITE_P(WaitTimes,
                         WaitTimelineTest,
                         testing::Values(TWaitTimeline{20, 151, 205},
                                         TWaitTimeline{5, 2, 55},
                                         TWaitTimeline{4, 0, 45},
                                         TWaitTimeline{0, 0, 6},
                                         TWaitTimeline{-3, 0, 6}));

TEST_F(WaitTest, TicksExactlyFiveSecondsBeforeTheEndAndAtTheEndAreNotLater) {
    Start();
    const double end = Clock.DayCount + 20 / kSecondsPerDay;
    Type("z");
    const double warningTime = end - 5 / kSecondsPerDay;
    Clock.DayCount = warningTime;
    Tick(0);
    Tick(0);
    EXPECT_TRUE(SentFrom(1).empty());
    Clock.DayCount = std::nextafter(warningTime, end);
    Tick(0);
    Tick(0);
    Tick(0);
    EXPECT_EQ(Typed(), kF10 + "\rPit Out Warning\r");
    Clock.DayCount = end;
    Tick(0);
    Clock.DayCount = std::nextafter(end, end + 1);
    Ticks(5);
    EXPECT_EQ(F10Count(), 1) << "the tick at the end is not the first after it";
    Tick();
    EXPECT_EQ(F10Count(), 2);
}

TEST_F(WaitTest, PitOutGoesOutFromTheTickAfterTheSecondF10) {
    Start("Delay=0\r\n");
    Type("z");
    Ticks(6);
    EXPECT_EQ(Sent(), (Strings{kF10, kF10}));
    Tick();
    EXPECT_EQ(Sent().back(), "\rPit Out\r");
}

TEST_F(WaitTest, PreWarningStillBeingTypedIsCutOffByThePitOut) {
    // A busy system: ticks a second apart, at 1.5 s, 2.5 s and on. The warning is queued on
    // tick 1 and typed from tick 2; ticks 5 to 10 are later than the end, so tick 10 types its
    // chunk, then F10, and queues the pit-out in place of the rest of the warning.
    Start("Delay=5\r\n");
    SetBox("PO Pre-Warning", std::string(200, 'w'));
    Type("z");
    Clock.AdvanceSeconds(0.5);
    for (int tick = 1; tick <= 10; ++tick) {
        Tick(1.0);
    }
    EXPECT_EQ(Sent().back(), kF10);
    EXPECT_EQ(Sent().size(), 1u + 9u + 1u) << "F10, nine chunks of the warning, F10";
    Ticks(5);
    EXPECT_EQ(SentFrom(11), Strings{"\rPit Out\r"});
}

TEST_F(WaitTest, ChangingTheWaitTimeDuringAWaitKeepsTheEndButDecidesTheWarning) {
    Start();
    Type("z");
    Dialogs.InputAnswers = {"4"};
    Click("Set Wait Time");
    Clock.AdvanceSeconds(0.05);
    EXPECT_EQ(TickOfF10(2, 400), 205) << "the end stays 20 s after the key";
    for (const std::string& sent : Sent()) {
        EXPECT_EQ(sent.find("Warning"), std::string::npos);
    }
}

// The sender runs the message loop between keys: ticks, keys and clicks may come in a send.
class NestingTest : public EngineTest {};

TEST_F(NestingTest, ATickInsideASendTypesNothingAndLeavesCommandsFree) {
    Start();
    SetBox("Pit In Message", std::string(30, 'm'));
    Type("x");
    Pump.AtPass(3, [this] { Tick(); });
    Tick();
    EXPECT_EQ(Sent().size(), 1u) << "no nested drain";
    Click("Set Wait Time");
    EXPECT_EQ(Dialogs.InputBoxes.size(), 1u) << "the tick inside the send typed nothing";
    Tick();
    EXPECT_EQ(SentFrom(1), Strings{std::string(11, 'm')}) << "the queue goes on where it was";
}

TEST_F(NestingTest, ATickInsideASendRunsNoWaitChecks) {
    Start("Delay=0\r\n");
    Type("z");
    Ticks(5);
    Type("x");
    // The sixth tick would end the wait; nested in a send it must not.
    Pump.AtPass(1, [this] {
        Tick();
        EXPECT_EQ(F10Count(), 1);
    });
    Tick();
    EXPECT_EQ(F10Count(), 2) << "the outer tick still ran its checks";
}

TEST_F(NestingTest, KeyInsideASendIsHandledInFullAndItsMessageStartsNextTick) {
    Start();
    SetBox("Pit In Message", std::string(30, 'm'));
    Type("x");
    Pump.AtPass(2, [this] {
        SetBox("Pit In Message", "new");
        Type("x");
    });
    Tick();
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].size(), 11u) << "the running chunk is typed to its end";
    Tick();
    EXPECT_EQ(Sent().back(), "\rnew\r");
}

TEST_F(NestingTest, WaitStartInsideASendTypesF10BetweenTwoKeysOfTheChunk) {
    Start();
    Type("x");
    Pump.AtPass(2, [this] { Type("z"); });
    Tick();
    EXPECT_EQ(Sent(), (Strings{"\rPit In\r", kF10}));
    // F10's press lands between the second and third codes of the chunk.
    ASSERT_GE(Keyboard.Events.size(), 8u);
    EXPECT_EQ(Keyboard.Events[6].VirtualKey, kVkF10);
    EXPECT_GT(TickOfF10(2, 400), 0) << "the wait runs";
}

TEST_F(NestingTest, WaitStartDuringTheWaitStartF10StartsAgainAndTheOuterEndWins) {
    Start();
    Pump.AtPass(1, [this] {
        Type("z");  // nested: finds no wait yet
        Clock.AdvanceSeconds(1);
    });
    Type("z");
    EXPECT_EQ(F10Count(), 2);
    Clock.AdvanceSeconds(0.05);
    EXPECT_EQ(TickOfF10(3, 400), 205) << "20 s from the outer key's reading of the clock";
}

// The pit-out's F10 runs the message loop: a tick or the pit-in key handled there finds the wait
// over, and the pit-out message, queued after the F10, is the one typed.
TEST_F(NestingTest, TickOrKeyInsideThePitOutsF10LeavesThePitOutMessageQueued) {
    Start("Delay=0\r\n");
    for (const bool key : {false, true}) {
        SCOPED_TRACE(key ? "the pit-in key" : "a tick");
        const std::size_t before = Sent().size();
        Type("z");
        Ticks(5);
        Pump.AtPass(1, [&] { key ? Type("x") : Tick(); });
        Ticks(3);
        EXPECT_EQ(SentFrom(before), (Strings{kF10, kF10, "\rPit Out\r"}));
    }
}

// The keyboard watch reports every key of the desktop, the program's own injected keys too,
// with the Shift, Ctrl, Alt and Caps Lock state the hook has followed: the echo of "!" is "!".
// Here every event comes back through the real decoding as the hook reports it, at the next
// pass of the message loop, or, late, only after the send has returned.
class OwnKeysTest : public EngineTest, public testing::WithParamInterface<bool> {
  protected:
    OwnKeysTest() { EchoOwnKeys(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(EchoesInTheSamePassOrLate, OwnKeysTest, testing::Bool());

TEST_P(OwnKeysTest, PitInMessageHoldingTheShiftedPitInKeyIsTypedOnce) {
    Start("PitInkey=49\r\nPitInMessage=Go!\r\n");
    Tap('1');
    Ticks(10);
    EXPECT_EQ(Sent(), Strings{"\rGo!\r"});
    EXPECT_EQ(GotKey('1'), 1);
    EXPECT_EQ(GotKey('!'), 1) << "the echo of !, with the sender's own Shift";
}

// Keys typed into the simulation, where the program's thread takes no key message: a trigger
// is the character the key makes there. Shift+x is X and fires no x, Shift+q fires Q, and Caps
// Lock switched on while the program had the focus (and off since, out of its sight) leaves x.
// So does Caps Lock switched off out of the hook's sight, or on before the start.
TEST_P(OwnKeysTest, ATriggerIsTheCharacterTheKeyMakesInTheSimulation) {
    Start();
    // Caps Lock pressed where the hook sees it, then something out of its sight.
    const auto capsLockOnThen = [this](std::function<void()> outOfSight) {
        return [this, outOfSight] {
            Tap(kVkCapital);
            outOfSight();
        };
    };
    const struct {
        const char* Name;
        std::function<void()> Before;
        std::uint8_t Trigger;
        bool ShiftHeld;
        char Logged;
        std::size_t Sends;
    } cases[] = {
        {"Shift+x", [] {}, 'x', true, 'X', 0},
        {"Shift+q", [] {}, 'Q', true, 'Q', 1},
        {"Caps Lock on and off in the program's own thread",
         [this] {
             KeyboardQueries.SetDown(kVkCapital, true);  // the thread's own state only
             KeyboardQueries.SetDown(kVkCapital, false);
         },
         'x', false, 'x', 1},
        {"Caps Lock off on the lock screen or in a program with more rights",
         capsLockOnThen([this] {
             Desktop.OutOfSight = true;
             Tap(kVkCapital);
             Desktop.OutOfSight = false;
         }),
         'x', false, 'x', 1},
        {"Caps Lock off by a Shift press", capsLockOnThen([this] {
             Desktop.ShiftTurnsCapsLockOff = true;
             Tap(kVkLeftShift);
             Desktop.ShiftTurnsCapsLockOff = false;
         }),
         'x', false, 'x', 1},
        {"a start with Caps Lock on, then off",
         [this] {
             Desktop.CapsLock = true;
             Start();
             Tap(kVkCapital);
         },
         'x', false, 'x', 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        KeyCaptureWindow.Keys = {c.Trigger};
        Click("Set PI Key");
        Tap(kVkF10);  // the key the dialog took, which the engine skips
        c.Before();
        const std::size_t sentBefore = Sent().size();
        const int loggedBefore = GotKey(c.Logged);
        if (c.ShiftHeld) {
            Key(kVkLeftShift, false);
        }
        Tap(c.Trigger & ~0x20);  // the letter's virtual key
        if (c.ShiftHeld) {
            Key(kVkLeftShift, true);
        }
        Ticks(10);
        EXPECT_EQ(GotKey(c.Logged), loggedBefore + 1);
        EXPECT_EQ(Sent().size(), sentBefore + c.Sends);
    }
}

TEST_P(OwnKeysTest, PitOutMessageHoldingTheShiftedWaitKeyStartsNoWait) {
    Start("actionkey=47\r\nDelay=1\r\nPitOutMessage=Out?\r\n");
    Tap(kVkOem2);
    Ticks(60);
    EXPECT_EQ(F10Count(), 2);
    EXPECT_EQ(GotKey('/'), 1);
    EXPECT_EQ(GotKey('?'), 1) << "the echo of ?, with the sender's own Shift";
}

TEST_P(OwnKeysTest, EnterIsATriggerKeyButTheEntersAroundAMessageAreNot) {
    Start("PitInkey=13\r\n");
    Tap(kVkEnter);
    Ticks(10);
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
}

TEST_P(OwnKeysTest, AnotherProgramsWaitKeyDuringASendSendsItsF10AmongTheChunksKeys) {
    Start();
    Tap('X');
    Pump.AtPass(3, [this] { Tap('Z', true); });
    Ticks(1);
    const auto f10 = std::find_if(Keyboard.Events.begin(), Keyboard.Events.end(),
                                  [](const TInjectedKey& key) { return key.VirtualKey == kVkF10; });
    ASSERT_NE(f10, Keyboard.Events.end());
    EXPECT_EQ(std::count_if(Keyboard.Events.begin(), f10,
                            [](const TInjectedKey& key) { return key.Press(); }),
              4)
        << "Enter, Shift, P and i went out before it";
}
