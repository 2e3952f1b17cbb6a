// Who runs when QuorlWait starts while a copy of it holds the session's lock.
#include "app/OneCopyStart.h"

#include <cstdint>

#include "app/Notices.h"

namespace {

// A copy that is starting holds the lock before its window exists; one that is closing holds
// it after its window has gone, while it saves its settings and stops its hook (at most 2 s).
constexpr std::uint32_t kOtherCopyWaitMs = 5000;
constexpr std::uint32_t kPollMs = 50;
// A window still there this long after it was brought up belongs to a copy that stays.
constexpr std::uint32_t kStayingMs = 500;

class TDeadline {
  public:
    TDeadline(IClock& clock, std::uint32_t ms)
        : Clock(clock), Start(clock.GetTickCount()), Ms(ms) {}
    // Unsigned difference: GetTickCount wraps.
    bool Passed() { return Clock.GetTickCount() - Start >= Ms; }

  private:
    IClock& Clock;
    std::uint32_t Start;
    std::uint32_t Ms;
};

// The copy that runs has fewer rights than this start: it cannot see the keys typed into a
// simulation that runs as administrator, nor type into it, so this start takes over. It asks
// the copy to close as the user would, so the copy saves its settings first. A copy that does
// not end (an error box of its own is open, say) is left running, and this start says so.
bool TakeOver(IOneCopy& copies, IClock& clock, TWindowHandle window) {
    copies.AskToClose(window);
    TDeadline deadline(clock, kOtherCopyWaitMs);
    while (!copies.TakeLock()) {
        if (deadline.Passed()) {
            copies.WarningBox(kOtherCopyStillRunsText);
            return false;
        }
        copies.Pause(kPollMs);
    }
    return true;
}

}  // namespace

// The lock held but no window: the other copy is starting or closing. Either its window comes
// or the lock comes free; a start that gave up sooner would leave no copy running after a
// quick restart. A window of the same rights is brought up, and watched a moment: a copy that
// is closing (the driver restarts it) still shows it while it saves its settings, and this
// start then waits for the lock as above. A lock still held with no window after the wait
// belongs to a copy that runs all the same.
bool StartAsOneCopy(IOneCopy& copies, IForegroundWindows& rights, IClock& clock) {
    TDeadline deadline(clock, kOtherCopyWaitMs);
    TWindowHandle broughtUp = 0;
    std::uint32_t broughtUpAt = 0;
    for (;;) {
        if (copies.TakeLock()) {
            return true;
        }
        const TWindowHandle window = copies.FindOtherWindow();
        if (window != 0 && rights.WindowProcess(window).Level == TProcessLevel::Lower) {
            return TakeOver(copies, clock, window);
        }
        if (window != 0 && window != broughtUp) {
            copies.BringToFront(window);
            broughtUp = window;
            broughtUpAt = clock.GetTickCount();
        } else if (window != 0 && clock.GetTickCount() - broughtUpAt >= kStayingMs) {
            return false;
        }
        if (deadline.Passed()) {
            return false;
        }
        copies.Pause(kPollMs);
    }
}
