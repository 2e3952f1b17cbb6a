// The program's own key events: which injected reports are their echoes, and for how long.
#include <gtest/gtest.h>

#include "components/OwnKeystrokes.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeKeyboard.h"

namespace {

constexpr std::uint32_t kKeyUp = 2;

class OwnKeystrokesTest : public testing::Test {
  protected:
    void Inject(std::uint8_t virtualKey, std::uint32_t flags = 0) {
        Own.KeybdEvent(virtualKey, 0x2A, flags, 0);
    }

    TFakeKeyboard Keyboard;
    TFakeClock Clock;
    TOwnKeystrokes Own{Keyboard, Clock};
};

TEST_F(OwnKeystrokesTest, EachEventIsInjectedUnchangedAndItsEchoTakenOnce) {
    Inject('Q');
    EXPECT_FALSE(Own.TakeEcho('Q', true)) << "a release is not the echo of a press";
    EXPECT_TRUE(Own.TakeEcho('Q', false));
    Keyboard.Events.clear();
    Inject(0x10);
    Inject('A');
    Inject('A', kKeyUp);
    Inject(0x10, kKeyUp);
    EXPECT_EQ(Keyboard.Events, (std::vector<TInjectedKey>{{0x10, 0x2A, 0, 0},
                                                          {'A', 0x2A, 0, 0},
                                                          {'A', 0x2A, kKeyUp, 0},
                                                          {0x10, 0x2A, kKeyUp, 0}}));
    EXPECT_FALSE(Own.TakeEcho('B', false)) << "another program's key";
    EXPECT_FALSE(Own.TakeEcho('A', false) && Own.TakeEcho('A', false)) << "taken once";
    EXPECT_TRUE(Own.TakeEcho(0xA0, false)) << "the hook names the left Shift";
    EXPECT_TRUE(Own.TakeEcho(0xA0, true));
    EXPECT_TRUE(Own.TakeEcho('A', true));
    EXPECT_EQ(Own.Pending(), 0u);
}

// An echo that never comes must not make a later key of another program look like ours.
TEST_F(OwnKeystrokesTest, EventsWhoseEchoNeverCameAreForgottenInTimeAndInNumber) {
    Inject('Z');
    Clock.TickCount += 2000;
    EXPECT_TRUE(Own.TakeEcho('Z', false)) << "still waiting 2 s after its injection";
    Inject('Z');
    Inject('Y');
    Clock.TickCount += 2001;
    EXPECT_FALSE(Own.TakeEcho('Y', false)) << "both forgotten in the same pass";
    EXPECT_FALSE(Own.TakeEcho('Z', false));

    Clock.TickCount = 0xFFFFFFF0u;  // the counter wraps after 49.7 days
    Inject('Z');
    for (std::size_t i = 0; i < TOwnKeystrokes::kCapacity; ++i) {
        Clock.TickCount += 1;
        Inject('Y');
    }
    EXPECT_EQ(Own.Pending(), TOwnKeystrokes::kCapacity);
    EXPECT_FALSE(Own.TakeEcho('Z', false)) << "pushed out by newer events";
    EXPECT_TRUE(Own.TakeEcho('Y', false));
}

}  // namespace
