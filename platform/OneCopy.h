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
    // another copy: true. Win32: a named mutex, owned until the process ends.
    virtual bool TakeLock() = 0;

    // The other copy's shown main window (class "TForm1" and the caption), minimised or not; 0
    // when there is none, as while that copy is still starting or already closing.
    virtual TWindowHandle FindOtherWindow() = 0;

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
