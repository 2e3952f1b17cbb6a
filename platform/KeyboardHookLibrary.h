// The hook library (keyhook.dll) that reports every keystroke of the desktop to a window.
#pragma once

#include <cstdint>

#include "WindowHandle.h"

class IKeyboardHookLibrary {
  public:
    virtual ~IKeyboardHookLibrary() = default;

    // Starts reporting: from the return of true on, every key press, auto-repeat and release of
    // the desktop is posted to `window` as `message`, with the report word of KeyReport.h in
    // wParam (the virtual key in its low byte, the injected mark in bit 8) and the flags word of
    // WM_KEYDOWN/WM_KEYUP in lParam. False when the hook could not be installed, the library is
    // missing, or reporting runs already. Does not run the calling thread's message loop; the
    // reports arrive through it later.
    virtual bool Start(TWindowHandle window, std::uint32_t message) = 0;

    // Ends reporting; once it returns no further report is posted. Harmless when no start
    // succeeded. Reports no failure.
    virtual void Stop() = 0;
};
