// The running application's services and windows, as the start-up sees them.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ForegroundWindows.h"
#include "platform/HiddenWindow.h"
#include "platform/HotKeys.h"
#include "platform/Keyboard.h"
#include "platform/KeyboardHookLibrary.h"
#include "platform/KeyboardQueries.h"
#include "platform/MainWindow.h"
#include "platform/MessagePump.h"
#include "platform/OneCopy.h"
#include "platform/ProfileFile.h"
#include "platform/TopLevelWindows.h"

class IApplication {
  public:
    virtual ~IApplication() = default;

    virtual IClock& Clock() = 0;
    virtual IKeyboardInput& Keyboard() = 0;
    virtual IMessagePump& Pump() = 0;
    virtual ITopLevelWindows& TopLevelWindows() = 0;
    virtual IDialogs& Dialogs() = 0;
    virtual IProfileFile& ProfileFile() = 0;
    virtual IKeyboardQueries& KeyboardQueries() = 0;
    virtual IKeyboardHookLibrary& HookLibrary() = 0;
    virtual IHiddenWindows& HiddenWindows() = 0;
    virtual IHotKeys& HotKeys() = 0;
    // Also the rights question of the one-copy start.
    virtual IForegroundWindows& ForegroundWindows() = 0;
    virtual IOneCopy& OneCopy() = 0;

    // The executable's own full path.
    virtual std::string ExecutablePath() = 0;

    // The application's default error handler, which every window's callbacks and the message
    // loop hand their runtime errors to.
    virtual void SetErrorHandler(std::function<void(const std::exception&)> handler) = 0;

    // True when the keyboard watch's last stop left keyhook.dll's hook thread running.
    virtual bool HookStopFailed() const = 0;

    // The three windows, created once each, in this order; they live until the program ends.
    // The main window is built from the rows, which must outlive it.
    virtual IMainWindow& CreateMainWindow(TMainWindowRows rows) = 0;
    virtual IKeyCaptureWindow& CreateKeyCaptureWindow() = 0;
    virtual IMessageEntryWindow& CreateMessageEntryWindow() = 0;

    // Runs the message loop until the main window has closed; returns the exit code.
    virtual int Run() = 0;
};
