// Who runs when QuorlWait starts while another copy of it is starting, running or closing.
#include "app/OneCopyStart.h"

#include <cstdint>

#include "app/Notices.h"

namespace {

// A copy that is starting holds the lock before its window exists; one whose window has gone
// holds it while it stops its hook (at most 2 s). Without a window, neither can be waited for
// by its process.
constexpr std::uint32_t kOtherCopyWaitMs = 5000;
// A copy that is closing hides its window, saves its settings, stops its hook and only then
// frees the lock, so it is waited for as long as its process runs. The save is what may take
// long: a virus scanner holds the file for seconds, and a write to a network folder that has
// gone away fails only after the SMB client's session timeout (60 s by default). A copy still
// not ended after twice that hangs, and a start that waited for it for ever would hang too.
constexpr std::uint32_t kStillRunningWaitMs = 120000;
constexpr std::uint32_t kPollMs = 50;
// A window still shown this long after it was brought up belongs to a copy that stays.
constexpr std::uint32_t kStayingMs = 500;

class TDeadline {
  public:
    TDeadline(IClock& clock, std::uint32_t ms)
        : Clock(clock), Start(clock.GetTickCount()), Ms(ms) {}
    // Unsigned difference: GetTickCount wraps.
    bool Passed() const { return Clock.GetTickCount() - Start >= Ms; }

  private:
    IClock& Clock;
    std::uint32_t Start;
    std::uint32_t Ms;
};

// A copy that this start asked to close and that did not end (an error box of its own is open,
// say) is left running, and this start says so; it ends without a word beside any other.
bool Leave(IOneCopy& copies, bool askedToClose) {
    if (askedToClose) {
        copies.WarningBox(kOtherCopyStillRunsText);
    }
    return false;
}

}  // namespace

// This start runs once it holds the lock and no other copy's window is shown: a copy of the
// previous release never takes the lock, and its window is all there is to find it by.
//
// A shown window of the same rights is brought up and watched a moment: a copy that is closing
// (the driver restarts it) hides it as its close begins. A window that stays belongs to a copy
// that runs. One of a copy with fewer rights is asked to close instead: that copy cannot see
// the keys typed into a simulation that runs as administrator, nor type into it, so this start
// takes over; asked as the user would ask, it saves its settings first.
//
// With no window shown, the other copy is starting (its window comes) or closing (the lock
// comes free): this start waits for it as long as its process runs, found by its window, shown
// or hidden. A lock held with no window at all for a few seconds belongs to a copy that runs
// all the same.
bool StartAsOneCopy(IOneCopy& copies, IForegroundWindows& rights, IClock& clock) {
    const TDeadline noWindow(clock, kOtherCopyWaitMs);
    const TDeadline stillRunning(clock, kStillRunningWaitMs);
    TWindowHandle seen = 0;
    std::uint32_t seenAt = 0;
    bool askedToClose = false;
    for (;;) {
        const bool locked = copies.TakeLock();
        const TWindowHandle window = copies.FindOtherWindow();
        if (window == 0) {
            if (locked) {
                return true;
            }
            if (copies.OtherProcessRuns() ? stillRunning.Passed() : noWindow.Passed()) {
                return Leave(copies, askedToClose);
            }
        } else if (window != seen) {
            seen = window;
            seenAt = clock.GetTickCount();
            if (rights.WindowProcess(window).Level == TProcessLevel::Lower) {
                copies.AskToClose(window);
                askedToClose = true;
            } else {
                copies.BringToFront(window);
            }
        } else if (clock.GetTickCount() - seenAt >=
                   (askedToClose ? kOtherCopyWaitMs : kStayingMs)) {
            return Leave(copies, askedToClose);
        }
        copies.Pause(kPollMs);
    }
}
