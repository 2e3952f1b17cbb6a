// TForm1: the main window's logic: the wait engine, the event log, the settings file's load and
// save, and the configuration commands.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/EventLog.h"
#include "app/ForegroundWatch.h"
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
    // The queue holds 256 codes: Enter, at most 254 message characters, Enter.
    static constexpr int kKeyQueueSize = 256;
    static constexpr int kMaxMessageLength = kKeyQueueSize - 2;
    // Codes the timer hands to the sender per 100 ms tick.
    static constexpr int kCodesPerTick = 11;
    static constexpr int kPreWarningSeconds = 5;
    // The pit-out follows on the sixth tick after the end of the wait.
    static constexpr int kExpiryTicks = 5;
    static constexpr double kSecondsPerDay = 86400.0;

    // Reaches the system through the application's services and shows its state in the
    // window's boxes; both outlive the form.
    TForm1(IApplication& application, IMainWindow& window);

    // The engine: keystroke reports of the keyboard watch and ticks of the 100 ms timer.
    void CPKeyHook1Key(TComponent* sender, TKeyStates aKeyStates, TKeyNames aKeyNames);
    void Timer1Timer() override;

    // Insert's hot key: taken so that the key never reaches the simulation; nothing else.
    void fisHotKey1HotKey(TComponent* sender);

    void LogEvent(const std::string& text);
    const TEventLog& EventLog() const { return Log; }

    // The settings file "QuorlWait.ini" beside the executable: the load at show fills the
    // three fields and the three message boxes; the save at close writes all six back and
    // throws EIniFileException at the first write that fails.
    void LoadSettings();
    void SaveSettings();

    // The window's events.
    void FormShow() override;
    void FormClose() override;
    void PitInMessageEditChange() override;

    // The commands: Set Wait Key, Set Wait Time, Set PI Key, Set PI Message, Set PO Warning,
    // Set PO Message, and Save (the log to "Log.txt" in the current directory).
    void Button1Click() override;
    void Button2Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void Button5Click() override;
    void Button6Click() override;
    void RzBitBtn1Click() override;

    // Position 1 to 256 of the queue (1-based, as QueuePos and QueueCount count).
    std::uint8_t QueuedCode(int position) const {
        return KeyQueue[static_cast<std::size_t>(position - 1)];
    }

    // The engine's fields; the settings file fills the first three when the window is shown.
    std::uint8_t ActionKey = 0;
    std::uint8_t PitInKey = 0;
    std::int32_t WaitSeconds = 0;
    bool SkipNextKey = false;

    // The one instance of the engine's state.
    std::array<std::uint8_t, kKeyQueueSize> KeyQueue{};
    std::int32_t QueueCount = 0;
    std::int32_t QueuePos = 1;
    bool WaitActive = false;
    double WaitEndTime = 0;
    bool WarningSent = false;
    std::int32_t ExpiryTicks = 0;
    bool SendingNow = false;
    bool SentThisTick = false;
    bool MessageDialogOpen = false;

    // The last accepted content of the pit-in message box.
    std::string LastPitInMessage;

    // The two dialogs, created after the main window.
    TForm2* Form2 = nullptr;
    TNewMessageForm* NewMessageForm = nullptr;

  private:
    void QueueMessage(const std::string& text);
    void SendF10();
    void CheckMessageAtShow(ITextBox& box, const char* warning);
    void SetTriggerKey(std::uint8_t& key, ITextBox& display, const char* warning);
    void SetMessage(ITextBox& box, const char* warning);
    bool ContainsTriggerKey(const std::string& text) const;

    IApplication& Application;
    IMainWindow& Window;
    TEventLog Log;
    // The sender types through it, and the keyboard watch asks it which reports are echoes.
    TOwnKeystrokes OwnKeys;
    // Tells the log when the window in front runs with more rights than the program.
    TForegroundWatch Foreground;

  public:
    // Owned by the window.
    TSendkeys* const Sendkeys1;
    TCPKeyHook* const CPKeyHook1;
    TfisHotKey* const fisHotKey1;
};
