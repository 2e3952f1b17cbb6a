// The foreground check: one line for each change to a window that the program cannot reach.
#include "app/ForegroundWatch.h"

#include "app/Notices.h"

TForegroundWatch::TForegroundWatch(IForegroundWindows& windows, IEventLog& log)
    : Windows(windows), Log(log) {}

// A tick asks only for the foreground window; its process is asked once, when the foreground
// changes to it, so a driver who stays in a simulation run as administrator reads one line.
// A refused query counts as a higher level: a process at a higher level keeps a lower one from
// opening it, which is how it shows (ERROR_ACCESS_DENIED). Any other failure says nothing.
void TForegroundWatch::Check() {
    const TWindowHandle window = Windows.ForegroundWindow();
    if (window == LastWindow) {
        return;
    }
    LastWindow = window;
    if (window == 0) {
        return;
    }
    const TWindowProcess process = Windows.WindowProcess(window);
    if (process.Level == TProcessLevel::Higher || process.Level == TProcessLevel::AccessDenied) {
        Log.LogEvent(HigherWindowNotice(process.Name));
    }
}
