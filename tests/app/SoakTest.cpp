// Sixty simulated minutes of waits, pit-ins and other keys through the keyboard watch, with the
// program's own keys echoed back: every minute types and logs the same, and the memory stays
// flat; only the log's text grows.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "app/LogLines.h"
#include "tests/app/ProgramFixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUORL_HEAP_COUNTED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORL_HEAP_COUNTED 1
#endif
#endif

#ifdef QUORL_HEAP_COUNTED
// The sanitizer runtime's own count (GCC ships no header for it; clang's
// <sanitizer/allocator_interface.h> declares the same function).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int kMinutes = 60;
constexpr int kTicksPerMinute = 60 * 1000 / kTimer1IntervalMs;

// Live heap bytes as the sanitizer's allocator counts them; -1 where nothing counts them.
long long LiveHeapBytes() {
#ifdef QUORL_HEAP_COUNTED
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    return -1;
#endif
}

template <typename T>
void Drop(std::vector<T>& records) {
    std::vector<T>().swap(records);
}

class SoakTest : public ProgramFixture {
  protected:
    SoakTest() {
        Start("PitInMessage=Pit in now, pit lane\r\n");
        EchoOwnKeys();
    }

    // One minute: a pit-in at once, a wait of 20 s from the fifth second, and another key
    // every second.
    void RunOneMinute() {
        for (int tick = 0; tick < kTicksPerMinute; ++tick) {
            if (tick == 0) {
                Type("x");
            }
            if (tick == 50) {
                Type("z");
            }
            if (tick % 10 == 5) {
                Type(std::string(1, "abcdefghij"[tick / 10 % 10]));
            }
            Tick();
        }
    }

    // Every minute types the pit-in, the warning and the pit-out in full, and logs what the
    // first minute logged; the lines are counted. Then what the fakes keep (their journals, the
    // box's copy of the lines) goes, so that what remains is the program's own memory.
    void EndMinute(int minute) {
        const Strings events = Events();
        if (minute == 1) {
            FirstMinute = events;
        }
        SameMinute[minute] = events == FirstMinute && Typed() == kMinuteTyped;
        for (const std::string& line : Memo1.Stored) {
            LogBytes += line.size();
        }
        LogLines += Memo1.Stored.size();
        F10Presses += F10Count();
        Drop(Memo1.Stored);
        Drop(Keyboard.Events);
        Drop(Keyboard.LookedUp);
        Drop(KeyboardQueries.ToAsciiCalls);
        Drop(HiddenWindows.Journal);
        Drop(HotKeys.Journal);
    }

    // The heap without the log's own store, which holds the text and grows with it by design.
    long long ProgramHeapBytes() const {
        const long long live = LiveHeapBytes();
        const auto* lines = dynamic_cast<const TLogLines*>(Memo1.Source);
        return live < 0 || lines == nullptr ? live
                                            : live - static_cast<long long>(lines->ReservedBytes());
    }

    const std::string kMinuteTyped =
        "\rPit in now, pit lane\r" + kF10 + "\rPit Out Warning\r" + kF10 + "\rPit Out\r";
    Strings FirstMinute;
    std::vector<char> SameMinute = std::vector<char>(kMinutes + 1);
    std::size_t LogLines = 0;
    std::size_t LogBytes = 0;
    int F10Presses = 0;
};

TEST_F(SoakTest, AnHourOfWaitsPitInsAndKeysKeepsThePaceAndFlatMemory) {
    // The heap is read with nothing of the test's own allocated in between (no trace, no
    // message): the records are made first.
    // The first minute settles every container at its working size.
    std::vector<long long> heapAfterMinute(kMinutes + 1);
    for (int minute = 1; minute <= kMinutes; ++minute) {
        RunOneMinute();
        EndMinute(minute);
        heapAfterMinute[minute] = ProgramHeapBytes();
    }
    const long long settledHeap = heapAfterMinute[1];
    for (int minute = 1; minute <= kMinutes; ++minute) {
        SCOPED_TRACE("minute " + std::to_string(minute));
        EXPECT_TRUE(SameMinute[minute]) << "a minute that types or logs otherwise";
        EXPECT_EQ(heapAfterMinute[minute], settledHeap) << "the memory grows with time";
    }
    EXPECT_EQ(F10Presses, 2 * kMinutes) << "each wait presses F10 at its start and its end";
    RecordProperty("LogLines", static_cast<int>(LogLines));
    RecordProperty("LogBytes", static_cast<int>(LogBytes));
    std::printf(
        "[ soak     ] %d minutes: %zu log lines, %zu bytes of log text; live heap %lld bytes "
        "after the first minute, %lld after the last\n",
        kMinutes, LogLines, LogBytes, settledHeap, heapAfterMinute[kMinutes]);
}

}  // namespace
