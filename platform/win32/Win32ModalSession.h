// One modal showing of a window of ours over its owner, with a message loop of its own.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/Dialogs.h"
#include "platform/WindowHandle.h"

// Where a dialog finds its owner when it is shown: the main window may be created after the
// dialog objects, and there may be none (0).
using TOwnerSource = std::function<TWindowHandle()>;

class TWin32ModalSession {
  public:
    // Disables the owner, centres the window over it (or the screen), shows and activates the
    // window, puts the keyboard focus on `focus` and sets `showing`, which must be clear: a
    // window is shown modally once at a time.
    TWin32ModalSession(HWND window, HWND owner, HWND focus, bool& showing);
    // Enables the owner again, hides the window (it is kept for the next showing), gives the
    // owner back the activation and clears `showing`.
    ~TWin32ModalSession();

    TWin32ModalSession(const TWin32ModalSession&) = delete;
    TWin32ModalSession& operator=(const TWin32ModalSession&) = delete;

    // Dispatches every message of the thread until the window's procedure sets `result`.
    // With `dialogKeys`, IsDialogMessageA first gives the window Tab, Esc and Enter handling.
    // A quit message ends the loop with Cancel and is posted again for the outer loop.
    TModalResult Run(const TModalResult& result, bool dialogKeys);

  private:
    HWND Window;
    HWND Owner;
    bool& Showing;
    bool OwnerWasEnabled = false;
};
