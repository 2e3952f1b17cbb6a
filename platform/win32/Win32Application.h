// The running Windows application: the Win32 services, the three windows and the message loop.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

#include "platform/Application.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32ForegroundWindows.h"
#include "platform/win32/Win32HiddenWindows.h"
#include "platform/win32/Win32HotKeys.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32KeyboardHookLibrary.h"
#include "platform/win32/Win32KeyboardQueries.h"
#include "platform/win32/Win32LazyDialogs.h"
#include "platform/win32/Win32MainWindow.h"
#include "platform/win32/Win32MessagePump.h"
#include "platform/win32/Win32OwnKeystrokeFilter.h"
#include "platform/win32/Win32ProfileFile.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32TopLevelWindows.h"

class TWin32Application : public IApplication {
  public:
    // Makes the services, none of which shows a window or loads keyhook.dll yet.
    explicit TWin32Application(HINSTANCE instance);
    ~TWin32Application() override;

    TWin32Application(const TWin32Application&) = delete;
    TWin32Application& operator=(const TWin32Application&) = delete;

    IClock& Clock() override { return ClockService; }
    IKeyboardInput& Keyboard() override { return KeyboardService; }
    IMessagePump& Pump() override { return PumpService; }
    ITopLevelWindows& TopLevelWindows() override { return TopLevelWindowsService; }
    IDialogs& Dialogs() override { return DialogsService; }
    IProfileFile& ProfileFile() override { return ProfileFileService; }
    IKeyboardQueries& KeyboardQueries() override { return KeyboardQueriesService; }
    IKeyboardHookLibrary& HookLibrary() override { return HookLibraryService; }
    IHiddenWindows& HiddenWindows() override { return HiddenWindowsService; }
    IHotKeys& HotKeys() override { return HotKeysService; }
    IForegroundWindows& ForegroundWindows() override { return ForegroundWindowsService; }
    IOneCopy& OneCopy() override { return OneCopyService; }
    bool HookStopFailed() const override { return HookLibraryService.StopFailed(); }
    std::string ExecutablePath() override;

    void SetErrorHandler(std::function<void(const std::exception&)> handler) override;

    IMainWindow& CreateMainWindow(TMainWindowRows rows) override;
    IKeyCaptureWindow& CreateKeyCaptureWindow() override;
    IMessageEntryWindow& CreateMessageEntryWindow() override;

    int Run() override;

  private:
    TWindowHandle MainWindowHandle() const;

    HINSTANCE Instance;

    TWin32SingleInstance OneCopyService;
    // On the thread that runs every window and message loop of the program.
    TWin32OwnKeystrokeFilter OwnKeystrokeFilter;
    TWin32Clock ClockService;
    TWin32Keyboard KeyboardService;
    TWin32MessagePump PumpService;
    TWin32TopLevelWindows TopLevelWindowsService;
    TWin32Dialogs DialogsService;
    TWin32ProfileFile ProfileFileService;
    TWin32KeyboardQueries KeyboardQueriesService;
    TWin32KeyboardHookLibrary HookLibraryService;
    TWin32HiddenWindows HiddenWindowsService;
    TWin32HotKeys HotKeysService;
    TWin32ForegroundWindows ForegroundWindowsService;

    std::unique_ptr<TWin32MainWindow> MainWindow;
    std::unique_ptr<TWin32LazyKeyCaptureWindow> KeyCaptureWindow;
    std::unique_ptr<TWin32LazyMessageEntryWindow> MessageEntryWindow;
};
