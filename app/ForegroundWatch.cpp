// The foreground check: one line for each window in front that the program cannot reach.
#include "app/ForegroundWatch.h"

#include <algorithm>

#include "app/Notices.h"

TForegroundWatch::TForegroundWatch(IForegroundWindows& windows, IEventLog& log)
    : Windows(windows), Log(log) {}

// A tick asks for the foreground window only when the system told of a change, or when keys
// are about to be sent: the system tells a moment after the change, and the line about a window
// must come before the keys typed into it. Its process is asked when the foreground changes
// to a window not told of yet, so a driver who keeps coming back to a simulation run as
// administrator reads one line. A refused query counts as a higher level only for a process of
// this program's user: a higher level keeps a lower one from opening it (ERROR_ACCESS_DENIED),
// but so does another user's process at any level. Any other failure says nothing. Only the
// last windows told are kept, for a driver has a handful; a handle that the system gives again
// to a new window once the old one is gone is taken for the old one and not told.
void TForegroundWatch::Check(bool keysFollow) {
    if (!Windows.ForegroundChanged() && !keysFollow) {
        return;
    }
    const TWindowHandle window = Windows.ForegroundWindow();
    if (window == LastWindow) {
        return;
    }
    LastWindow = window;
    if (window == 0 || std::find(Told.begin(), Told.end(), window) != Told.end()) {
        return;
    }
    const TWindowProcess process = Windows.WindowProcess(window);
    if (process.Level == TProcessLevel::Higher || process.Level == TProcessLevel::AccessDenied) {
        if (Told.size() == kToldWindows) {
            Told.erase(Told.begin());
        }
        Told.push_back(window);
        Log.LogEvent(HigherWindowNotice(process.Name));
    }
}
