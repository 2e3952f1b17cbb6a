// An application over fakes: its services, its main window's boxes and its two dialogs, each a
// public fake that a test reaches by name.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <stdexcept>
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
#include "tests/fakes/FakeOneCopy.h"
#include "tests/fakes/FakeProfileFile.h"
#include "tests/fakes/FakeWindows.h"

// As the real window does, it builds one box per row, reports a change of a box whose row asks
// for it, runs FormShow and FormShown at its first show, ticks Timer1 and flushes the log after
// each tick, and drops all of them before it is connected.
class TFakeMainWindow : public IMainWindow {
  public:
    void Build(TMainWindowRows rows) {
        Rows = rows;
        for (const TMainWindowRow& row : rows) {
            TFakeTextBox& box = Boxes[row.BoxId];
            if (row.ReportsChange) {
                box.OnChange = [this, id = row.BoxId] {
                    if (Events != nullptr) {
                        Events->Changed(id);
                    }
                };
            }
        }
    }

    ITextBox& Box(int boxId) override { return Boxes.at(boxId); }
    ILogBox& Memo1() override { return Memo1Box; }
    void Connect(IMainWindowEvents& events) override { Events = &events; }
    void Show() override {
        if (!Shown) {
            Shown = true;
            if (Events != nullptr) {
                Events->FormShow();
                Events->FormShown();
            }
        }
    }

    // The driver closes the window: the close handler's exception, which the real window hands
    // to the error handler and which keeps it open, comes out of here.
    void Close() {
        if (Events != nullptr) {
            Events->FormClose();
        }
    }
    // What the window's message loop does: a Timer1 tick, then the log box's flush.
    void Tick() {
        if (Events != nullptr) {
            Events->Timer1Timer();
        }
        Memo1Box.Flush();
    }
    // A click of the button with this caption, as the window reports it; false when no row has
    // such a button.
    bool Click(const std::string& caption) {
        for (const TMainWindowRow& row : Rows) {
            const int id = caption == row.ButtonCaption ? row.ButtonId
                           : row.EndButtonCaption != nullptr && caption == row.EndButtonCaption
                               ? row.EndButtonId
                               : 0;
            if (id != 0) {
                Events->Clicked(id);
                return true;
            }
        }
        return false;
    }
    // The box of the row with this label.
    TFakeTextBox& BoxOf(const std::string& label) {
        for (const TMainWindowRow& row : Rows) {
            if (label == row.Label) {
                return Boxes.at(row.BoxId);
            }
        }
        throw std::out_of_range("no row " + label);
    }

    TMainWindowRows Rows;
    std::map<int, TFakeTextBox> Boxes;
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
    IOneCopy& OneCopy() override { return OneCopyService; }
    bool HookStopFailed() const override { return HookStopFails; }
    std::string ExecutablePath() override { return Executable; }

    void SetErrorHandler(std::function<void(const std::exception&)> handler) override {
        Handler = std::move(handler);
    }

    IMainWindow& CreateMainWindow(TMainWindowRows rows) override {
        MainWindow.Build(rows);
        return MainWindow;
    }
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
    TFakeOneCopy OneCopyService{ClockService};
    bool HookStopFails = false;
    std::string Executable = "C:\\Games\\Quorl\\QuorlWait.exe";

    TFakeMainWindow MainWindow;
    TFakeKeyCaptureWindow KeyCaptureWindow;
    TFakeMessageEntryWindow MessageEntryWindow;

    std::function<void(const std::exception&)> Handler;
    int Runs = 0;
};
