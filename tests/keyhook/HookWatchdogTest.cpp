// When the hook thread puts its hook back: unheard input, the back-off while only the mouse
// moves, the period whatever the input, and counters that wrap.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "keyhook/HookWatchdog.h"

namespace {

constexpr std::uint32_t kPeriodMs = 250;

// The session as the hook thread sees it: a clock, a value that moves with each input the
// system took in, and the hook's count of events. The hook may be deaf (removed by Windows), in
// which case keys move only the input, as input the hook can never hear (Mouse) always does.
class THookSession {
  public:
    explicit THookSession(std::uint32_t start = 100000)
        : Now(start), Inputs(start - 5000), Watchdog({Now, Inputs, Events}) {}

    void Key() {
        Inputs = Now;
        Events += Deaf ? 0 : 1;
    }
    void Mouse() { Inputs = Now; }

    // One timer tick later (a key typed first when Typing); true when the watchdog asks for
    // the hook again, which then hears.
    bool Tick() {
        if (Typing) {
            Key();
        }
        Now += kPeriodMs;
        const bool reinstall = Watchdog.Check({Now, Inputs, Events});
        Deaf = Deaf && !reinstall;
        return reinstall;
    }

    // Ticks until the watchdog asks for the hook again; the milliseconds that took, or 0.
    std::uint32_t MsToReinstall(std::uint32_t limitMs) {
        for (std::uint32_t elapsed = kPeriodMs; elapsed <= limitMs; elapsed += kPeriodMs) {
            if (Tick()) {
                return elapsed;
            }
        }
        return 0;
    }

    std::uint32_t Now;
    std::uint32_t Inputs;
    std::uint32_t Events = 7;
    bool Deaf = false;
    bool Typing = false;
    THookWatchdog Watchdog;
};

TEST(HookWatchdogTest, AKeyTheHookNeverHeardBringsTheHookBackAfterAWholeCheck) {
    THookSession session;
    EXPECT_FALSE(session.Tick());
    session.Deaf = true;  // Windows removed the hook
    session.Key();
    EXPECT_FALSE(session.Tick()) << "its report may still be on the way";
    EXPECT_TRUE(session.Tick());
    EXPECT_FALSE(session.Deaf);
    session.Key();
    EXPECT_FALSE(session.Tick());
    EXPECT_FALSE(session.Tick()) << "the new hook heard it";
}

TEST(HookWatchdogTest, AKeyReportedByTheNextCheckRaisesNoAlarm) {
    THookSession session;
    session.Key();
    for (int tick = 0; tick < 20; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_FALSE(session.Tick());
        session.Key();  // typing all the time
    }
    // The system stamps the input, and the hook's call comes just after the check.
    session.Inputs = session.Now;
    EXPECT_FALSE(session.Tick());
    session.Events += 1;
    EXPECT_FALSE(session.Tick());
    EXPECT_FALSE(session.Tick());
}

TEST(HookWatchdogTest, WhileOnlyTheMouseMovesReinstallsBackOffAndAKeyResetsThat) {
    THookSession session;
    const std::uint32_t expectedMs[] = {500, 1000, 2000, 4000, 8000, 8000};
    for (std::uint32_t expected : expectedMs) {
        SCOPED_TRACE("gap " + std::to_string(expected));
        std::uint32_t elapsed = 0;
        bool reinstalled = false;
        while (!reinstalled && elapsed < 20000) {
            session.Mouse();
            reinstalled = session.Tick();
            elapsed += kPeriodMs;
        }
        EXPECT_EQ(elapsed, expected);
    }
    session.Key();
    EXPECT_FALSE(session.Tick());
    session.Mouse();
    EXPECT_EQ(session.MsToReinstall(20000), 500u) << "after a heard key, the first alarm is quick";
}

TEST(HookWatchdogTest, AnAlarmHeldBackByTheBackOffFiresLaterWithoutMoreInput) {
    THookSession session;
    session.Mouse();
    EXPECT_EQ(session.MsToReinstall(20000), 500u);
    // Windows removes the new hook too; one key, then nothing.
    session.Deaf = true;
    session.Key();
    EXPECT_EQ(session.MsToReinstall(20000), 1000u);
    EXPECT_EQ(session.MsToReinstall(60000), THookWatchdog::kReinstallPeriodMs)
        << "nothing unheard since: only the period";
}

TEST(HookWatchdogTest, AKeyHeardWhileTheBackOffHoldsAnAlarmClearsIt) {
    THookSession session;
    session.Mouse();
    EXPECT_EQ(session.MsToReinstall(20000), 500u);
    session.Mouse();
    EXPECT_FALSE(session.Tick());
    EXPECT_FALSE(session.Tick()) << "suspect, but within the second after the reinstall";
    session.Key();  // the new hook is alive
    EXPECT_EQ(session.MsToReinstall(60000), THookWatchdog::kReinstallPeriodMs - 2 * kPeriodMs)
        << "only the period puts it back, counted from the reinstall two ticks ago";
}

TEST(HookWatchdogTest, InputBeforeAReinstallIsNotHeldAgainstTheNewHook) {
    THookSession session;
    session.Deaf = true;
    session.Key();
    EXPECT_FALSE(session.Tick());
    session.Key();  // unheard, and in the check that reinstalls
    EXPECT_TRUE(session.Tick());
    EXPECT_EQ(session.MsToReinstall(60000), THookWatchdog::kReinstallPeriodMs);
}

// A hook removed while only the wheel and pedals are used moves nothing the watchdog reads.
TEST(HookWatchdogTest, WhateverTheInputTheHookIsPutBackEveryPeriod) {
    const struct {
        const char* Input;
        bool Deaf;
        bool Typing;
    } rows[] = {{"no input", false, false},
                {"keys heard all the time", false, true},
                {"a removed hook and no input", true, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Input);
        THookSession session;
        session.Deaf = row.Deaf;
        session.Typing = row.Typing;
        EXPECT_EQ(session.MsToReinstall(60000), THookWatchdog::kReinstallPeriodMs);
        EXPECT_EQ(session.MsToReinstall(60000), THookWatchdog::kReinstallPeriodMs);
        session.Typing = false;
        session.Mouse();
        EXPECT_EQ(session.MsToReinstall(20000), 500u) << "a period is no alarm to back off from";
    }
}

TEST(HookWatchdogTest, CountersThatWrapAroundChangeNothing) {
    // GetTickCount wraps after 49.7 days; the event count wraps as well.
    THookSession session(0xFFFFFF00u);
    session.Events = 0xFFFFFFFFu;
    session.Key();
    EXPECT_EQ(session.Events, 0u);
    EXPECT_FALSE(session.Tick());
    EXPECT_FALSE(session.Tick());
    session.Deaf = true;
    session.Key();
    EXPECT_EQ(session.MsToReinstall(20000), 500u);
    session.Mouse();
    EXPECT_EQ(session.MsToReinstall(20000), 1000u) << "the back-off across the wrap";
}

}  // namespace
