// The session's lock and the other copy's window on a timeline of the fake clock.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/OneCopy.h"
#include "tests/fakes/FakeClock.h"

inline constexpr std::uint32_t kNever = ~0u;

// The other copy holds the lock until LockFreeMs of the clock's milliseconds, shows window
// kOtherWindow from WindowMs until then, and ends CloseMs after it is asked to close. The
// default: no other copy.
struct TTimeline {
    std::uint32_t LockFreeMs = 0;
    std::uint32_t WindowMs = kNever;
    std::uint32_t CloseMs = kNever;
};

class TFakeOneCopy : public IOneCopy {
  public:
    static constexpr TWindowHandle kOtherWindow = 7;

    explicit TFakeOneCopy(TFakeClock& clock) : Clock(clock) {}

    bool TakeLock() override { return Clock.TickCount >= At.LockFreeMs; }
    TWindowHandle FindOtherWindow() override {
        return Clock.TickCount >= At.WindowMs && !TakeLock() ? kOtherWindow : 0;
    }
    void BringToFront(TWindowHandle window) override {
        Done += window == kOtherWindow ? "front;" : "?;";
    }
    void AskToClose(TWindowHandle window) override {
        Done += window == kOtherWindow ? "close;" : "?;";
        At.LockFreeMs =
            std::min(At.LockFreeMs, At.CloseMs == kNever ? kNever : Clock.TickCount + At.CloseMs);
    }
    void WarningBox(const std::string& text) override { Done += text + ";"; }
    void Pause(std::uint32_t ms) override { Clock.TickCount += ms; }

    TFakeClock& Clock;
    TTimeline At;
    // What the start did to the other copy, and the boxes it showed.
    std::string Done;
};
