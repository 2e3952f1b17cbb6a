// The wait engine: trigger keys, the queue's pace, the wait's ticks, and events nested in sends.
#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "keyhook/KeyFlags.h"
#include "platform/KeyReport.h"
#include "tests/app/EngineFixture.h"

using Strings = std::vector<std::string>;

class QueueTest : public EngineFixture {};

TEST_F(QueueTest, PitInKeyLogsAndQueuesEnterMessageEnterForTheNextTick) {
    Press('x');
    Memo1.Flush();
    EXPECT_EQ(Events(), Strings{"Got key x"});
    EXPECT_EQ(Form.QueueCount, 8);
    EXPECT_EQ(Form.QueuePos, 1);
    Tick();
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
    EXPECT_TRUE(Form.SentThisTick);
}

TEST_F(QueueTest, MessageGoesOutElevenCodesPerTickAndALastSingleCodeInATickOfItsOwn) {
    PitInMessageEdit.Value = "abcdefghijklmnopqrstu";
    Press('x');
    Ticks(4);
    EXPECT_EQ(Sent(), (Strings{"\rabcdefghij", "klmnopqrstu", "\r"}));
    // Twelve lines per chunk of eleven: the string and every key.
    EXPECT_EQ(Events().size(), 1u + 12u + 12u + 2u);
}

TEST_F(QueueTest, EmptyMessageIsTwoEnters) {
    PitInMessageEdit.Value = "";
    Press('x');
    Tick();
    EXPECT_EQ(Sent(), Strings{"\r\r"});
}

TEST_F(QueueTest, TicksWithNothingQueuedSendNothingAndLeaveSentThisTickClear) {
    Ticks(5);
    EXPECT_TRUE(Memo1.Stored.empty());
    EXPECT_FALSE(Form.SentThisTick);
    Press('x');
    Ticks(2);
    EXPECT_FALSE(Form.SentThisTick) << "the tick after the last chunk sends nothing";
}

TEST_F(QueueTest, MessageIsReadFromItsBoxWhenQueuedNotWhenTyped) {
    Press('x');
    PitInMessageEdit.Value = "changed";
    Tick();
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
}

TEST_F(QueueTest, AutoRepeatRequeuesTheMessageFromItsStart) {
    PitInMessageEdit.Value = std::string(30, 'm');
    Press('x');
    Tick();
    Press('x');
    EXPECT_EQ(Form.QueuePos, 1);
    Tick();
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1], "\r" + std::string(10, 'm'));
}

TEST_F(QueueTest, MessageLongerThanTheQueueIsCutTo254Characters) {
    std::string message;
    for (int i = 0; i < 2047; ++i) {
        message += static_cast<char>('a' + i % 26);
    }
    PitInMessageEdit.Value = message;
    Press('x');
    EXPECT_EQ(Form.QueueCount, 256);
    EXPECT_EQ(Form.QueuedCode(255), static_cast<std::uint8_t>(message[253]));
    EXPECT_EQ(Form.QueuedCode(256), 13);
    Ticks(30);
    std::string typed;
    for (const std::string& chunk : Sent()) {
        typed += chunk;
    }
    EXPECT_EQ(typed, "\r" + message.substr(0, 254) + "\r");
}

TEST_F(QueueTest, MessageBytesFrom228AreTypedAsTheirSpecialKeys) {
    PitInMessageEdit.Value = "\xE4\xF0\xFA";  // F1, Home, Shift down
    Press('x');
    Tick();
    std::vector<std::uint8_t> virtualKeys;
    for (const TInjectedKey& key : Keyboard.Events) {
        virtualKeys.push_back(key.VirtualKey);
    }
    EXPECT_EQ(virtualKeys, (std::vector<std::uint8_t>{13, 13, 112, 112, 36, 36, 16, 13, 13}));
}

class KeyEventTest : public EngineFixture {};

TEST_F(KeyEventTest, ReleasesAndKeysWhileTheMessageDialogIsOpenDoNothingAtAll) {
    Release('x');
    Release('z');
    Form.MessageDialogOpen = true;
    Press('x');
    Press('z');
    Memo1.Flush();
    EXPECT_TRUE(Memo1.Stored.empty());
    EXPECT_EQ(Form.QueueCount, 0);
    EXPECT_FALSE(Form.WaitActive);
}

TEST_F(KeyEventTest, SkipNextKeyUsesUpTheNextKeyDownSilently) {
    Form.SkipNextKey = true;
    Release('x');
    EXPECT_TRUE(Form.SkipNextKey) << "a release does not use it up";
    Press('x');
    EXPECT_FALSE(Form.SkipNextKey);
    Memo1.Flush();
    EXPECT_TRUE(Memo1.Stored.empty());
    EXPECT_EQ(Form.QueueCount, 0);
}

// Every key-down is logged; a trigger fires on its exact byte only, never on character 0 (every
// key without one: F10, Shift; a settings file can hold a key of 256), and one character may
// be both keys. The zero byte ends the log line, as it ends a window's text.
TEST_F(KeyEventTest, AKeyIsLoggedAndFiresTheTriggersWhoseByteItIs) {
    struct TCase {
        const char* Label;
        std::uint8_t ActionKey;
        std::uint8_t PitInKey;
        std::uint8_t Character;
        std::string Event;
        Strings Sent;
    };
    const TCase cases[] = {
        {"shifted x is not the pit-in key", 'z', 'x', 'X', "Got key X", {}},
        {"no character", 'z', 'x', 0, "Got key ", {}},
        {"character 0 as both keys", 0, 0, 0, "Got key ", {}},
        {"one character as both keys", 'x', 'x', 'x', "Got key x", {kF10, "\rPit In\r"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Label);
        const auto events = static_cast<std::ptrdiff_t>(Events().size());
        const auto sent = static_cast<std::ptrdiff_t>(Sent().size());
        Form.ActionKey = c.ActionKey;
        Form.PitInKey = c.PitInKey;
        Press(c.Character);
        Tick();
        const Strings allEvents = Events();
        const Strings allSent = Sent();
        ASSERT_GT(allEvents.size(), static_cast<std::size_t>(events));
        EXPECT_EQ(allEvents[static_cast<std::size_t>(events)], c.Event);
        EXPECT_EQ(Strings(allSent.begin() + sent, allSent.end()), c.Sent);
    }
}

class WaitTest : public EngineFixture {};

TEST_F(WaitTest, WaitStartKeySendsF10AtOnceAndSetsTheEnd) {
    const double start = Clock.DayCount;
    Press('z');
    Memo1.Flush();
    EXPECT_EQ(Events(), (Strings{"Got key z", "Sending string " + kF10, "Sending Key " + kF10}));
    EXPECT_TRUE(Form.WaitActive);
    EXPECT_FALSE(Form.WarningSent);
    EXPECT_DOUBLE_EQ(Form.WaitEndTime, start + 20 / 86400.0);
}

TEST_F(WaitTest, WaitStartKeyDuringAWaitIsOnlyLogged) {
    Press('z');
    const double end = Form.WaitEndTime;
    Tick();
    Press('z');
    EXPECT_EQ(F10Count(), 1);
    EXPECT_EQ(Form.WaitEndTime, end);
    Memo1.Flush();
    EXPECT_EQ(Events().back(), "Got key z");
}

// The tick on which each part of a wait shows, counting ticks after the wait start key: the first
// that types the warning, and the one that sends the second F10.
struct TWaitTimeline {
    int WaitSeconds;
    int WarningTick;  // 0: never
    int PitOutTick;
    friend void PrintTo(const TWaitTimeline& timeline, std::ostream* out) {
        *out << timeline.WaitSeconds << " s";
    }
};

class WaitTimelineTest : public EngineFixture, public testing::WithParamInterface<TWaitTimeline> {};

// Tick k falls k * 100 ms + 50 ms after the key, clear of the exact boundaries, which sums of
// tenths of a second cannot hit exactly in a day count anyway.
TEST_P(WaitTimelineTest, WarningFiveSecondsBeforeTheEndAndPitOutOnTheSixthTickAfterIt) {
    Form.WaitSeconds = GetParam().WaitSeconds;
    Press('z');
    Clock.AdvanceSeconds(0.05);
    TWaitTimeline seen{GetParam().WaitSeconds, 0, 0};
    const int lastTick = std::max(seen.WaitSeconds, 0) * 10 + 20;
    for (int tick = 1; tick <= lastTick && seen.PitOutTick == 0; ++tick) {
        Tick();
        if (seen.WarningTick == 0 && Sent().back().starts_with("\rPit Out W")) {
            seen.WarningTick = tick;
        }
        seen.PitOutTick = F10Count() == 2 ? tick : 0;
    }
    EXPECT_EQ(seen.WarningTick, GetParam().WarningTick);
    EXPECT_EQ(seen.PitOutTick, GetParam().PitOutTick);
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
    Press('z');
    const double end = Form.WaitEndTime;
    const double warningTime = end - 5 / 86400.0;
    for (const double now : {warningTime, std::nextafter(warningTime, end)}) {
        Clock.DayCount = now;
        Form.Timer1Timer();
        EXPECT_EQ(Form.WarningSent, now > warningTime);
    }
    for (const double now : {end, std::nextafter(end, end + 1)}) {
        Clock.DayCount = now;
        Form.Timer1Timer();
        EXPECT_EQ(Form.ExpiryTicks, now > end ? 1 : 0);
    }
}

TEST_F(WaitTest, PitOutGoesOutFromTheTickAfterTheSecondF10) {
    Form.WaitSeconds = 0;
    Press('z');
    Ticks(6);
    EXPECT_EQ(Sent(), (Strings{kF10, kF10}));
    Tick();
    EXPECT_EQ(Sent().back(), "\rPit Out\r");
}

TEST_F(WaitTest, PreWarningStillBeingTypedIsCutOffByThePitOut) {
    // A busy system: ticks a second apart, at 1.5 s, 2.5 s and on. The warning is queued on
    // tick 1 and typed from tick 2; ticks 5 to 10 are later than the end, so tick 10 types its
    // chunk, then F10, and queues the pit-out in place of the rest of the warning.
    Form.WaitSeconds = 5;
    POWarningEdit.Value = std::string(200, 'w');
    Press('z');
    Clock.AdvanceSeconds(0.5);
    for (int tick = 1; tick <= 10; ++tick) {
        Tick(1.0);
    }
    EXPECT_EQ(Sent().back(), kF10);
    EXPECT_EQ(Sent().size(), 1u + 9u + 1u) << "F10, nine chunks of the warning, F10";
    Tick(1.0);
    Tick(1.0);
    EXPECT_EQ(Sent().back(), "\rPit Out\r");
    EXPECT_EQ(Form.QueuePos, Form.QueueCount + 1);
}

TEST_F(WaitTest, ChangingTheWaitTimeDuringAWaitKeepsTheEndButDecidesTheWarning) {
    Press('z');
    Form.WaitSeconds = 4;
    Clock.AdvanceSeconds(0.05);
    Ticks(204);
    EXPECT_EQ(F10Count(), 1) << "the end stays 20 s after the key";
    Tick();
    EXPECT_EQ(F10Count(), 2);
    for (const std::string& sent : Sent()) {
        EXPECT_EQ(sent.find("Warning"), std::string::npos);
    }
}

class ForegroundTest : public EngineFixture {};

// Each tick asks for the window in front, and for its process only when it changed: one line
// for a process with more rights, or one that refuses to tell; none for the same window again,
// a reachable window or a query that failed otherwise.
TEST_F(ForegroundTest, AWindowOfAProcessWithMoreRightsIsToldOnceEachTimeItComesToTheFront) {
    TFakeForegroundWindows& windows = Application.ForegroundWindowsService;
    windows.Processes = {{1, {TProcessLevel::Higher, "Sim.exe"}},
                         {2, {TProcessLevel::NotHigher, "notepad.exe"}},
                         {3, {TProcessLevel::AccessDenied, "Race Sim"}},
                         {4, {TProcessLevel::Unknown, "gone.exe"}}};
    const std::string tail =
        " runs as administrator: QuorlWait can neither see nor type its keys - start QuorlWait "
        "as administrator too";
    const struct {
        const char* Label;
        TWindowHandle Window;
        Strings Lines;
        int Queries;
    } steps[] = {{"higher level", 1, {"Sim.exe" + tail}, 1},
                 {"the same window again", 1, {}, 0},
                 {"a reachable window", 2, {}, 1},
                 {"a refused query", 3, {"Race Sim" + tail}, 1},
                 {"a query that failed", 4, {}, 1},
                 {"no window in front", 0, {}, 0},
                 {"the higher window again", 1, {"Sim.exe" + tail}, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Label);
        const std::size_t lines = Events().size();
        const int queries = windows.Queries;
        windows.Foreground = step.Window;
        Tick();
        const Strings all = Events();
        EXPECT_EQ(Strings(all.begin() + static_cast<std::ptrdiff_t>(lines), all.end()), step.Lines);
        EXPECT_EQ(windows.Queries - queries, step.Queries);
    }
}

class NestingTest : public EngineFixture {};

TEST_F(NestingTest, TickInsideASendClearsSentThisTickAndStops) {
    PitInMessageEdit.Value = std::string(30, 'm');
    Press('x');
    Pump.AtPass(3, [&] { Form.Timer1Timer(); });
    Tick();
    EXPECT_EQ(Sent().size(), 1u) << "no nested drain";
    EXPECT_EQ(Form.QueuePos, 12);
    EXPECT_FALSE(Form.SentThisTick);
    EXPECT_FALSE(Form.SendingNow);
}

TEST_F(NestingTest, TickInsideASendRunsNoWaitChecks) {
    Form.WaitSeconds = 0;
    Press('z');
    Ticks(5);
    Press('x');
    // The sixth tick would end the wait; nested in a send it must not.
    Pump.AtPass(1, [&] {
        Clock.AdvanceSeconds(0.1);
        Form.Timer1Timer();
        EXPECT_TRUE(Form.WaitActive);
        EXPECT_EQ(Form.ExpiryTicks, 5);
    });
    Tick();
    EXPECT_FALSE(Form.WaitActive) << "the outer tick still ran its checks";
}

TEST_F(NestingTest, KeyInsideASendIsHandledInFullAndItsMessageStartsNextTick) {
    PitInMessageEdit.Value = std::string(30, 'm');
    Press('x');
    Pump.AtPass(2, [&] {
        PitInMessageEdit.Value = "new";
        Press('x');
    });
    Tick();
    EXPECT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].size(), 11u) << "the running chunk is typed to its end";
    Tick();
    EXPECT_EQ(Sent().back(), "\rnew\r");
}

TEST_F(NestingTest, WaitStartInsideASendTypesF10BetweenTwoKeysOfTheChunk) {
    Press('x');
    Pump.AtPass(2, [&] { Press('z'); });
    Tick();
    EXPECT_EQ(Sent(), (Strings{"\rPit In\r", kF10}));
    // F10's press lands between the second and third codes of the chunk.
    ASSERT_GE(Keyboard.Events.size(), 8u);
    EXPECT_EQ(Keyboard.Events[6].VirtualKey, 121);
    EXPECT_TRUE(Form.WaitActive);
}

TEST_F(NestingTest, WaitStartDuringTheWaitStartF10StartsAgainAndTheOuterEndWins) {
    Pump.AtPass(1, [&] {
        Press('z');  // nested: finds no wait yet
        Clock.AdvanceSeconds(1);
    });
    const double start = Clock.DayCount;
    Press('z');
    EXPECT_EQ(F10Count(), 2);
    EXPECT_TRUE(Form.WaitActive);
    EXPECT_DOUBLE_EQ(Form.WaitEndTime, start + (1 + 20) / 86400.0);
}

// The pit-out's F10 runs the message loop: a tick or the pit-in key handled there finds the wait
// over, and the pit-out message, queued after the F10, is the one typed.
TEST_F(NestingTest, TickOrKeyInsideThePitOutsF10LeavesThePitOutMessageQueued) {
    Form.WaitSeconds = 0;
    for (const bool key : {false, true}) {
        SCOPED_TRACE(key ? "the pit-in key" : "a tick");
        const std::size_t before = Sent().size();
        Press('z');
        Ticks(5);
        Pump.AtPass(1, [&] { key ? Press('x') : Tick(); });
        Ticks(3);
        const Strings all = Sent();
        const Strings sent(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
        EXPECT_EQ(sent, (Strings{kF10, kF10, "\rPit Out\r"}));
    }
}

// The keyboard watch reports every key of the desktop, the program's own injected keys too,
// with the Shift, Ctrl, Alt and Caps Lock state the hook has followed: the echo of "!" is "!".
// Here every event comes back through the real decoding as the hook reports it (Shift as
// VK_LSHIFT), at the next pass of the message loop, or, late, only after the send has returned.
class OwnKeysTest : public EngineFixture, public testing::WithParamInterface<bool> {
  protected:
    OwnKeysTest() {
        Keyboard.OnEvent = [this](const TInjectedKey& key) {
            const std::uint32_t reported =
                key.VirtualKey == kVkShift ? kVkLeftShift : key.VirtualKey;
            auto report = [this, key, reported] {
                Report(reported, key.ScanCode, !key.Press(), true);
            };
            if (GetParam()) {
                Late.push_back(report);
            } else {
                Pump.Post(report);
            }
        };
    }

    void Report(std::uint32_t virtualKey, std::uint32_t scanCode, bool released, bool injected) {
        const std::uint32_t flags =
            FlagsBuilder.Flags({virtualKey, scanCode, false, false, released});
        HiddenWindows.Last->Send(TCPKeyHook::kHookMessage,
                                 ReportWParam(virtualKey, injected, FlagsBuilder.KeyState()),
                                 static_cast<std::intptr_t>(flags));
    }

    // A key of the driver's keyboard, or of another program's keybd_event, pressed and released.
    void Tap(std::uint32_t virtualKey, bool injected = false) {
        const std::uint32_t scanCode = Keyboard.ScanCodeForVirtualKey(virtualKey);
        Report(virtualKey, scanCode, false, injected);
        Report(virtualKey, scanCode, true, injected);
    }

    // Ticks of the main loop, which dispatches the late reports between them.
    void RunTicks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
            std::vector<std::function<void()>> reports;
            reports.swap(Late);
            for (const auto& report : reports) {
                report();
            }
        }
    }

    int GotKey(char character) const {
        const std::vector<std::string> events = Events();
        return static_cast<int>(
            std::count(events.begin(), events.end(), std::string("Got key ") + character));
    }

    static constexpr std::uint32_t kVkShift = 16;
    static constexpr std::uint32_t kVkLeftShift = 0xA0;
    static constexpr std::uint32_t kVkOem2 = 0xBF;  // "/" and "?" on the US layout
    TKeyFlagsBuilder FlagsBuilder;
    std::vector<std::function<void()>> Late;
};

INSTANTIATE_TEST_SUITE_P(EchoesInTheSamePassOrLate, OwnKeysTest, testing::Bool());

TEST_P(OwnKeysTest, PitInMessageHoldingTheShiftedPitInKeyIsTypedOnce) {
    Form.PitInKey = '1';
    PitInMessageEdit.Value = "Go!";
    Tap('1');
    RunTicks(10);
    EXPECT_EQ(Sent(), Strings{"\rGo!\r"});
    EXPECT_EQ(GotKey('1'), 1);
    EXPECT_EQ(GotKey('!'), 1) << "the echo of !, with the sender's own Shift";
}

// Keys typed into the simulation, where the program's thread takes no key message: a trigger
// is the character the key makes there. Shift+x is X and fires no x, Shift+a fires A, and Caps
// Lock switched on while the program had the focus (and off since, out of its sight) leaves x.
TEST_P(OwnKeysTest, ATriggerIsTheCharacterTheKeyMakesInTheSimulation) {
    const std::tuple<std::uint8_t, bool, char, std::size_t> cases[] = {
        {'x', true, 'X', 0}, {'A', true, 'A', 1}, {'x', false, 'x', 1}};
    for (const auto& [pitInKey, shiftHeld, logged, sends] : cases) {
        SCOPED_TRACE(logged);
        Form.PitInKey = pitInKey;
        KeyboardQueries.SetDown(0x14, !shiftHeld);  // the last row's Caps Lock, the thread's only
        KeyboardQueries.SetDown(0x14, false);
        const std::size_t sentBefore = Sent().size();
        const int loggedBefore = GotKey(logged);
        Report(kVkLeftShift, 0x2A, !shiftHeld, false);  // a press where held, else nothing new
        Tap(pitInKey & ~0x20);                          // the letter's virtual key
        Report(kVkLeftShift, 0x2A, true, false);
        RunTicks(10);
        EXPECT_EQ(GotKey(logged), loggedBefore + 1);
        EXPECT_EQ(Sent().size(), sentBefore + sends);
    }
}

// The program's own 1 (of "!") never comes back (a full queue refused its report) when the
// driver presses 1: a key of the keyboard carries no injected mark and is never taken for it.
// Another program's injected 1 is, while the echo may still come, but not 3 s later.
TEST_P(OwnKeysTest, TheDriversKeyIsNeverTakenForAnEchoThatNeverCame) {
    Keyboard.OnEvent = nullptr;
    Form.PitInKey = '1';
    PitInMessageEdit.Value = "Go!";
    Tap('1');
    Pump.AtPass(4, [this] { Tap('1'); });
    RunTicks(10);
    EXPECT_EQ(Sent(), (Strings{"\rGo!\r", "\rGo!\r"}));
    Clock.TickCount += 3000;
    Tap('1', true);
    RunTicks(1);
    EXPECT_EQ(Sent().size(), 3u) << "another program's 1, 3 s after the lost echo";
}

TEST_P(OwnKeysTest, PitOutMessageHoldingTheShiftedWaitKeyStartsNoWait) {
    Form.ActionKey = '/';
    Form.WaitSeconds = 1;
    PitOutMessageEdit.Value = "Out?";
    Tap(kVkOem2);
    RunTicks(40);
    EXPECT_EQ(F10Count(), 2);
    EXPECT_FALSE(Form.WaitActive);
    EXPECT_EQ(GotKey('/'), 1);
    EXPECT_EQ(GotKey('?'), 1) << "the echo of ?, with the sender's own Shift";
}

TEST_P(OwnKeysTest, EnterIsATriggerKeyButTheEntersAroundAMessageAreNot) {
    Form.PitInKey = 13;
    Tap(13);
    RunTicks(10);
    EXPECT_EQ(Sent(), Strings{"\rPit In\r"});
}

TEST_P(OwnKeysTest, AnotherProgramsWaitKeyDuringASendSendsItsF10AmongTheChunksKeys) {
    Tap('X');
    Pump.AtPass(3, [this] { Tap('Z', true); });
    RunTicks(1);
    EXPECT_TRUE(Form.WaitActive);
    const auto f10 = std::find_if(Keyboard.Events.begin(), Keyboard.Events.end(),
                                  [](const TInjectedKey& key) { return key.VirtualKey == 121; });
    ASSERT_NE(f10, Keyboard.Events.end());
    EXPECT_EQ(std::count_if(Keyboard.Events.begin(), f10,
                            [](const TInjectedKey& key) { return key.Press(); }),
              4)
        << "Enter, Shift, P and i went out before it";
}
