// The session's one copy of the program, as a start sees it: the lock the running copy holds,
// and that copy's main window.
#pragma once

#include <cstdint>
#include <string>

#include "WindowHandle.h"

class IOneCopy {
  public:
    virtual ~IOneCopy() = default;

    // Takes the session's lock when no other copy holds it; true once this process holds it,
    // and on every later call. Never waits. A lock the system cannot make at all is no sign of
    // another copy: true. A copy of the previous release never takes it. Win32: a named mutex,
    // owned until ReleaseLock or the end of the process.
    virtual bool TakeLock() = 0;

    // Gives the lock up, so that a start waiting for it runs at once; nothing when this process
    // does not hold it. For a copy that has closed its windows and saved its settings.
    virtual void ReleaseLock() = 0;

    // Another copy's shown main window (class "TForm1" and the caption), minimised or not; 0
    // when there is none, as while that copy is still starting or already closing (its window
    // hidden while it saves its settings, then gone).
    virtual TWindowHandle FindOtherWindow() = 0;

    // Whether the process of the other copy still runs. It is found through its main window,
    // shown or hidden, and kept from the first call that finds one: the answer stays true after
    // that window has gone and until the process has ended. False while no such window has been
    // found, or when the system will not let this process wait for it. Does not wait.
    virtual bool OtherProcessRuns() = 0;

    // Restores the window if minimised and brings it to the front, which Windows may refuse.
    virtual void BringToFront(TWindowHandle window) = 0;

    // Asks the window's copy to close as the user's close command does (WM_CLOSE, posted), so
    // that it saves its settings as at any close. Does not wait.
    virtual void AskToClose(TWindowHandle window) = 0;

    // A message box captioned "Warning" with the text and OK, owned by no window; returns when
    // it is closed.
    virtual void WarningBox(const std::string& text) = 0;

    // Waits `ms` milliseconds without running a message loop (Win32: Sleep).
    virtual void Pause(std::uint32_t ms) = 0;
};
