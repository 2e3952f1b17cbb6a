// Finding and raising top-level windows by title.
#pragma once

#include <string>

#include "WindowHandle.h"

class ITopLevelWindows {
  public:
    virtual ~ITopLevelWindows() = default;

    // The top-level window whose title equals the text without regard to case, 0 when there is
    // none (Win32: FindWindowA with no class name). The title is passed as a zero-terminated
    // string. Does not run the message loop.
    virtual TWindowHandle FindWindowByTitle(const char* title) = 0;

    // Whether the window is minimized (Win32: IsIconic); false for 0 or a stale handle.
    virtual bool IsIconic(TWindowHandle window) = 0;

    // ShowWindow(window, SW_RESTORE); the result is returned, callers may ignore it.
    virtual bool ShowWindowRestore(TWindowHandle window) = 0;

    // BringWindowToTop(window); the result is returned, callers may ignore it.
    virtual bool BringWindowToTop(TWindowHandle window) = 0;
};
