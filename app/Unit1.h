// TForm1: the main window's logic: its rows, the keyboard watch and the timer wired to the wait
// engine, the event log, the settings file's load and save, and the configuration commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/EventLog.h"
#include "app/ForegroundWatch.h"
#include "app/PitEngine.h"
#include "components/CPKeyHook.h"
#include "components/Component.h"
#include "components/KeyRecords.h"
#include "components/OwnKeystrokes.h"
#include "components/Sendkeys.h"
#include "components/fisHotKey.h"
#include "platform/Application.h"
#include "platform/MainWindow.h"
#include "platform/TextBox.h"

class TForm2;
class TNewMessageForm;

class TForm1 : public TComponent, public IMainWindowEvents {
  public:
    // The rows' control ids; kMemo1Id (107) is the log box's.
    enum TControlId : int {
        kWaitTimeEditId = 101,
        kPitInEditId,
        kKeyEditId,
        kPitInMessageEditId,
        kPOWarningEditId,
        kPitOutMessageEditId,
        kButton1Id = 201,
        kButton2Id,
        kButton3Id,
        kButton4Id,
        kButton5Id,
        kButton6Id,
        kRzBitBtn1Id,
    };

    // The rows the main window is to be built from.
    static TMainWindowRows Rows();

    // `window` was built from Rows(). Reaches the system through the application's services;
    // all of them outlive the form.
    TForm1(IApplication& application,
           IMainWindow& window,
           TForm2& form2,
           TNewMessageForm& newMessageForm);

    // The keyboard watch's keystrokes and the 100 ms timer's ticks, handed to the engine.
    void CPKeyHook1Key(TComponent* sender, TKeyStates aKeyStates, TKeyNames aKeyNames);
    void Timer1Timer() override;

    // Insert's hot key: taken so that the key never reaches the simulation; nothing else.
    void fisHotKey1HotKey(TComponent* sender);

    void LogEvent(const std::string& text);

    // The window's events.
    void FormShow() override;
    void FormShown() override;
    void FormClose() override;
    void Clicked(int buttonId) override;
    void Changed(int boxId) override;

    // The commands: Set Wait Key, Set Wait Time, Set PI Key, Set PI Message, Set PO Warning,
    // Set PO Message, and Save (the log to "Log.txt" in the current directory).
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void RzBitBtn1Click();
    void PitInMessageEditChange();

  private:
    // A row of the window with what the form does with it. A message row also names its
    // settings key and default, and the warning of the check at show.
    struct TRow {
        TMainWindowRow Face;
        void (TForm1::*Click)();
        void (TForm1::*EndClick)() = nullptr;
        void (TForm1::*Change)() = nullptr;
        const char* SettingKey = nullptr;
        const char* SettingDefault = nullptr;
        const char* ShowWarning = nullptr;
        // Messages are loaded, checked at show and saved in this order, from 1.
        int MessageOrder = 0;
    };
    static const std::vector<TRow>& AllRows();
    static std::vector<const TRow*> MessageRows();

    // The settings file "QuorlWait.ini" beside the executable: the load at show sets the engine
    // and the message boxes; the save at close writes all six values back and throws
    // EIniFileException at the first write that fails.
    void LoadSettings();
    void SaveSettings();

    ITextBox& Box(int boxId) { return Window.Box(boxId); }
    void ShowEngineSettings();
    void CheckMessageAtShow(ITextBox& box, const char* warning);
    void SetTriggerKey(void (TPitEngine::*set)(std::uint8_t), int displayId, const char* warning);
    void SetMessage(ITextBox& box, const char* warning);
    bool ContainsTriggerKey(const std::string& text) const;

    IApplication& Application;
    IMainWindow& Window;
    TForm2& Form2;
    TNewMessageForm& NewMessageForm;
    TEventLog Log;
    // The sender types through it, and the keyboard watch asks it which reports are echoes.
    TOwnKeystrokes OwnKeys;
    // Owned by the form as their owner component.
    TSendkeys* const Sendkeys1;
    TCPKeyHook* const CPKeyHook1;
    TfisHotKey* const fisHotKey1;
    // Tells the log when the window in front runs with more rights than the program.
    TForegroundWatch Foreground;
    TPitEngine Engine;
    // The last accepted content of the pit-in message box.
    std::string LastPitInMessage;
};
