// The session's lock and the other copy's window and process on a timeline of the fake clock.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/OneCopy.h"
#include "tests/fakes/FakeClock.h"

inline constexpr std::uint32_t kNever = ~0u;

// The other copy runs until EndMs of the clock's milliseconds, holding the lock until then
// unless it is of the previous release, which knows no lock. Its window kOtherWindow exists from
// WindowMs, or from HiddenMs when that is sooner, until the end; it shows from WindowMs until
// HiddenMs, when its close begins and it hides it to save its settings. Asked to close, it
// hides its window at once and ends CloseMs later; one of the previous release keeps its window
// shown until it ends, and one that never ends keeps it shown. The default: no other copy.
struct TTimeline {
    std::uint32_t EndMs = 0;
    std::uint32_t WindowMs = kNever;
    std::uint32_t CloseMs = kNever;
    std::uint32_t HiddenMs = kNever;
    bool PreviousRelease = false;
};

class TFakeOneCopy : public IOneCopy {
  public:
    static constexpr TWindowHandle kOtherWindow = 7;

    explicit TFakeOneCopy(TFakeClock& clock) : Clock(clock) {}

    bool TakeLock() override {
        Held = Held || At.PreviousRelease || !Runs();
        return Held;
    }
    void ReleaseLock() override { Held = false; }
    TWindowHandle FindOtherWindow() override {
        return Runs() && Now() >= At.WindowMs && Now() < At.HiddenMs ? kOtherWindow : 0;
    }
    // As FindWindowA finds a hidden window too, and the process handle is kept once opened.
    bool OtherProcessRuns() override {
        ProcessFound = ProcessFound || (Runs() && Now() >= std::min(At.WindowMs, At.HiddenMs));
        return ProcessFound && Runs();
    }
    void BringToFront(TWindowHandle window) override {
        Done += window == kOtherWindow ? "front;" : "?;";
    }
    void AskToClose(TWindowHandle window) override {
        Done += window == kOtherWindow ? "close;" : "?;";
        if (At.CloseMs != kNever) {
            At.EndMs = std::min(At.EndMs, Now() + At.CloseMs);
            if (!At.PreviousRelease) {
                At.HiddenMs = std::min(At.HiddenMs, Now());
            }
        }
    }
    void WarningBox(const std::string& text) override { Done += text + ";"; }
    void Pause(std::uint32_t ms) override { Clock.TickCount += ms; }

    TFakeClock& Clock;
    TTimeline At;
    // What the start did to the other copy, and the boxes it showed.
    std::string Done;
    // This process holds the lock.
    bool Held = false;

  private:
    std::uint32_t Now() const { return Clock.TickCount; }
    bool Runs() const { return Now() < At.EndMs; }

    bool ProcessFound = false;
};
