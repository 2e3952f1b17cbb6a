// Hidden windows that exist only to receive messages.
#pragma once

#include <cstdint>
#include <memory>

#include "WindowHandle.h"
#include "WindowMessage.h"

class IHiddenWindow {
  public:
    // Destroys the system window; messages that the destruction itself sends get the default
    // processing. Reports no failure.
    virtual ~IHiddenWindow() = default;

    virtual TWindowHandle Handle() const = 0;

    // The system's default processing of a message of this window and its result
    // (Win32: DefWindowProcA).
    virtual std::intptr_t DefaultProcessing(const TMessage& message) = 0;
};

class IHiddenWindows {
  public:
    virtual ~IHiddenWindows() = default;

    // Creates a zero-size window that is never shown; from the return on, each message of it,
    // sent or posted, goes to `windowProc` on the creating thread, and the window procedure's
    // Result is the reply (the messages of the creation itself get the default processing).
    // Throws Exception when the system cannot create the window.
    virtual std::unique_ptr<IHiddenWindow> CreateHiddenWindow(TWindowProc windowProc) = 0;
};
