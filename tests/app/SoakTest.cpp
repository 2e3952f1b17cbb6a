// Sixty simulated minutes of waits, pit-ins and other keys on the fake clock: the engine keeps
// its pace to the end and its memory stays flat; only the log's text grows.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/app/EngineFixture.h"

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
constexpr int kTicksPerMinute = 600;

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

class SoakTest : public EngineFixture {
  protected:
    // One minute: a pit-in at once, a wait of 20 s from the fifth second, and a key press and
    // release every second, with the engine's own keys typed meanwhile.
    void RunOneMinute() {
        for (int tick = 0; tick < kTicksPerMinute; ++tick) {
            if (tick == 0) {
                Press('x');
                Release('x');
            }
            if (tick == 50) {
                Press('z');
                Release('z');
            }
            if (tick % 10 == 5) {
                const char other = "abcdefghij"[tick / 10 % 10];
                Press(static_cast<std::uint8_t>(other));
                Release(static_cast<std::uint8_t>(other));
            }
            Tick();
        }
    }

    // What the fakes keep of their own (their journals of calls) goes; the log's text is
    // counted first and goes too, so what remains is the engine's own memory.
    void DropRecords() {
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
    long long EngineHeapBytes() const {
        const long long live = LiveHeapBytes();
        return live < 0 ? live
                        : live - static_cast<long long>(Form.EventLog().Lines().ReservedBytes());
    }

    std::size_t LogLines = 0;
    std::size_t LogBytes = 0;
    int F10Presses = 0;
};

TEST_F(SoakTest, AnHourOfWaitsPitInsAndKeysKeepsThePaceAndFlatMemory) {
    PitInMessageEdit.Value = "Pit in now, pit lane";
    // The heap is read with nothing of the test's own allocated in between (no trace, no
    // message): the records are made first.
    std::vector<long long> heapAfterMinute(kMinutes + 1);
    std::vector<std::size_t> linesInMinute(kMinutes + 1);
    RunOneMinute();  // the first minute settles every container at its working size
    DropRecords();
    const long long settledHeap = EngineHeapBytes();
    const std::size_t linesPerMinute = LogLines;
    for (int minute = 2; minute <= kMinutes; ++minute) {
        const std::size_t linesBefore = LogLines;
        RunOneMinute();
        DropRecords();
        heapAfterMinute[minute] = EngineHeapBytes();
        linesInMinute[minute] = LogLines - linesBefore;
    }
    for (int minute = 2; minute <= kMinutes; ++minute) {
        SCOPED_TRACE("minute " + std::to_string(minute));
        EXPECT_EQ(linesInMinute[minute], linesPerMinute) << "every minute logs the same lines";
        EXPECT_EQ(heapAfterMinute[minute], settledHeap) << "the engine's memory grows with time";
    }

    EXPECT_EQ(F10Presses, 2 * kMinutes) << "each wait presses F10 at its start and its end";
    EXPECT_FALSE(Form.WaitActive);
    EXPECT_EQ(Form.QueuePos, Form.QueueCount + 1) << "the queue drains to the end";
    RecordProperty("LogLines", static_cast<int>(LogLines));
    RecordProperty("LogBytes", static_cast<int>(LogBytes));
    std::printf(
        "[ soak     ] %d minutes: %zu log lines, %zu bytes of log text; live heap %lld bytes "
        "after the first minute, %lld after the last\n",
        kMinutes, LogLines, LogBytes, settledHeap, heapAfterMinute[kMinutes]);
}

}  // namespace
