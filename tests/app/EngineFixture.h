// A main window over fakes, with helpers to press keys, tick the timer and read what was sent.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/NewMessage.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "tests/fakes/FakeApplication.h"

class EngineFixture : public testing::Test {
  protected:
    EngineFixture() {
        Form.Form2 = &Form2;
        Form.NewMessageForm = &NewMessageForm;
        PitInMessageEdit.Value = "Pit In";
        POWarningEdit.Value = "Pit Out Warning";
        PitOutMessageEdit.Value = "Pit Out";
        Application.Executable = kExecutablePath;
        Application.MainWindow.Connect(Form);
        Clock.Text = "T";
        Form.ActionKey = 'z';
        Form.PitInKey = 'x';
        Form.WaitSeconds = 20;
    }

    void Press(std::uint8_t character) { Key(character, true); }
    void Release(std::uint8_t character) { Key(character, false); }

    void Key(std::uint8_t character, bool keyDown) {
        TKeyStates states{};
        states.KeyDown = keyDown;
        states.WasDown = !keyDown;
        TKeyNames names{};
        names.Character = character;
        Form.CPKeyHook1Key(nullptr, states, names);
    }

    // One timer tick, 100 ms after the last (or later, for a busy system), and the log box's
    // flush that the window does after each tick.
    void Tick(double secondsSinceLast = 0.1) {
        Clock.AdvanceSeconds(secondsSinceLast);
        Form.Timer1Timer();
        Memo1.Flush();
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }

    // The log lines without their date-time text.
    std::vector<std::string> Events() const {
        std::vector<std::string> events;
        for (const std::string& line : Memo1.Stored) {
            events.push_back(line.substr(kPrefix.size()));
        }
        return events;
    }

    // The strings handed to the sender, in order.
    std::vector<std::string> Sent() const {
        const std::string marker = "Sending string ";
        std::vector<std::string> sent;
        for (const std::string& event : Events()) {
            if (event.starts_with(marker)) {
                sent.push_back(event.substr(marker.size()));
            }
        }
        return sent;
    }

    int F10Count() const {
        int count = 0;
        for (const TInjectedKey& key : Keyboard.Events) {
            count += key.VirtualKey == 121 && key.Press() ? 1 : 0;
        }
        return count;
    }

    static inline const std::string kExecutablePath = "C:\\Games\\Quorl\\QuorlWait.exe";
    static inline const std::string kPrefix = "T      ";
    static inline const std::string kF10 = "\xED";

    TFakeApplication Application;
    TFakeClock& Clock = Application.ClockService;
    TFakeKeyboard& Keyboard = Application.KeyboardService;
    TFakeMessagePump& Pump = Application.PumpService;
    TFakeTopLevelWindows& Windows = Application.TopLevelWindowsService;
    TFakeDialogs& Dialogs = Application.DialogsService;
    TFakeProfileFile& ProfileFile = Application.ProfileFileService;
    TFakeKeyboardQueries& KeyboardQueries = Application.KeyboardQueriesService;
    TFakeHiddenWindows& HiddenWindows = Application.HiddenWindowsService;
    TFakeKeyboardHookLibrary& HookLibrary = Application.HookLibraryService;
    TFakeHotKeys& HotKeys = Application.HotKeysService;
    // Shows the lines at each flush, as the window does after each tick: Tick flushes, and a
    // test that reads the lines logged since its last tick flushes first.
    TFakeLogBox& Memo1 = Application.MainWindow.Memo1Box;
    TFakeTextBox& WaitTimeEdit = Application.MainWindow.WaitTimeEditBox;
    TFakeTextBox& PitInEdit = Application.MainWindow.PitInEditBox;
    TFakeTextBox& KeyEdit = Application.MainWindow.KeyEditBox;
    TFakeTextBox& PitInMessageEdit = Application.MainWindow.PitInMessageEditBox;
    TFakeTextBox& POWarningEdit = Application.MainWindow.POWarningEditBox;
    TFakeTextBox& PitOutMessageEdit = Application.MainWindow.PitOutMessageEditBox;
    TForm1 Form{Application, Application.MainWindow};
    TFakeKeyCaptureWindow& KeyCaptureWindow = Application.KeyCaptureWindow;
    TForm2 Form2{KeyCaptureWindow};
    TFakeMessageEntryWindow& MessageEntryWindow = Application.MessageEntryWindow;
    TNewMessageForm NewMessageForm{MessageEntryWindow};
};
