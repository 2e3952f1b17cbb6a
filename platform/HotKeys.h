// System-wide hot keys and the window they are reported to.
#pragma once

#include <cstdint>
#include <memory>

#include "WindowHandle.h"
#include "WindowMessage.h"

// A windowed control whose parent is the desktop window, never shown. Its message entry can be
// replaced, as a subclass does; the initial entry gives the system's default processing.
class IHotKeyWindow {
  public:
    // Destroys the system window if it was created. Reports no failure.
    virtual ~IHotKeyWindow() = default;

    // The window's handle; the system window is created on the first call (Win32: a WS_CHILD
    // of GetDesktopWindow()). Throws Exception when the system cannot create it.
    virtual TWindowHandle Handle() = 0;

    // The window's current message entry: every message of the window goes to it.
    virtual TWindowProc WindowProc() const = 0;
    virtual void SetWindowProc(TWindowProc windowProc) = 0;
};

class IHotKeys {
  public:
    virtual ~IHotKeys() = default;

    // A new hot-key window; its system window does not exist yet.
    virtual std::unique_ptr<IHotKeyWindow> CreateHotKeyWindow() = 0;

    // Registers the combination for the window (Win32: RegisterHotKey): each press of it
    // anywhere on the desktop then arrives at the window as WM_HOTKEY (786) instead of as a
    // key press to the focused window. modifiers: OR of 1 Alt, 2 Ctrl, 4 Shift. False when the
    // system refused, for example because another program holds the same combination.
    virtual bool RegisterHotKey(TWindowHandle window,
                                std::int32_t id,
                                std::uint32_t modifiers,
                                std::uint32_t virtualKey) = 0;

    // Frees the registration (Win32: UnregisterHotKey); false when there was none.
    virtual bool UnregisterHotKey(TWindowHandle window, std::int32_t id) = 0;
};
