// An application over fakes: its services, its main window's boxes and its two dialogs, each a
// public fake that a test reaches by name.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "platform/Application.h"
#include "platform/MainWindow.h"
#include "tests/fakes/FakeBoxes.h"
#include "tests/fakes/FakeClock.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeKeyboard.h"
#include "tests/fakes/FakeKeyboardQueries.h"
#include "tests/fakes/FakeMessagePump.h"
#include "tests/fakes/FakeProfileFile.h"
#include "tests/fakes/FakeWindows.h"

// As the real window does, it reports a change of the pit-in message box's text and runs
// FormShow at its first show, and drops both before it is connected.
class TFakeMainWindow : public IMainWindow {
  public:
    ITextBox& WaitTimeEdit() override { return WaitTimeEditBox; }
    ITextBox& PitInEdit() override { return PitInEditBox; }
    ITextBox& KeyEdit() override { return KeyEditBox; }
    ITextBox& PitInMessageEdit() override { return PitInMessageEditBox; }
    ITextBox& POWarningEdit() override { return POWarningEditBox; }
    ITextBox& PitOutMessageEdit() override { return PitOutMessageEditBox; }
    ILogBox& Memo1() override { return Memo1Box; }

    void Connect(IMainWindowEvents& events) override {
        Events = &events;
        PitInMessageEditBox.OnChange = [this] { Events->PitInMessageEditChange(); };
    }
    void Show() override {
        if (!Shown) {
            Shown = true;
            if (Events != nullptr) {
                Events->FormShow();
            }
        }
    }

    TFakeTextBox WaitTimeEditBox;
    TFakeTextBox PitInEditBox;
    TFakeTextBox KeyEditBox;
    TFakeTextBox PitInMessageEditBox;
    TFakeTextBox POWarningEditBox;
    TFakeTextBox PitOutMessageEditBox;
    TFakeLogBox Memo1Box;
    IMainWindowEvents* Events = nullptr;
    bool Shown = false;
};

class TFakeApplication : public IApplication {
  public:
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
    std::string ExecutablePath() override { return Executable; }

    void SetErrorHandler(std::function<void(const std::exception&)> handler) override {
        Handler = std::move(handler);
    }

    IMainWindow& CreateMainWindow() override { return MainWindow; }
    IKeyCaptureWindow& CreateKeyCaptureWindow() override { return KeyCaptureWindow; }
    IMessageEntryWindow& CreateMessageEntryWindow() override { return MessageEntryWindow; }

    // The message loop ends at once.
    int Run() override {
        ++Runs;
        return 0;
    }

    TFakeClock ClockService;
    TFakeKeyboard KeyboardService;
    TFakeMessagePump PumpService;
    TFakeTopLevelWindows TopLevelWindowsService;
    TFakeDialogs DialogsService;
    TFakeProfileFile ProfileFileService;
    TFakeKeyboardQueries KeyboardQueriesService;
    TFakeHiddenWindows HiddenWindowsService;
    TFakeKeyboardHookLibrary HookLibraryService{HiddenWindowsService.Journal};
    TFakeHotKeys HotKeysService;
    TFakeForegroundWindows ForegroundWindowsService;
    std::string Executable = "C:\\Games\\Quorl\\QuorlWait.exe";

    TFakeMainWindow MainWindow;
    TFakeKeyCaptureWindow KeyCaptureWindow;
    TFakeMessageEntryWindow MessageEntryWindow;

    std::function<void(const std::exception&)> Handler;
    int Runs = 0;
};
