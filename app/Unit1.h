// TForm1: the main window's logic: the wait engine with its keystroke queue, and the event log.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/EventLog.h"
#include "components/Component.h"
#include "components/KeyRecords.h"
#include "components/Sendkeys.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/LogBox.h"
#include "platform/MessagePump.h"
#include "platform/ProfileFile.h"
#include "platform/TextBox.h"
#include "platform/TopLevelWindows.h"

// What the main window reaches the system through, and its boxes.
struct TForm1Services {
    IClock& Clock;
    IKeyboardInput& Keyboard;
    IMessagePump& Pump;
    ITopLevelWindows& Windows;
    ILogBox& Memo1;
    ITextBox& PitInMessageEdit;
    ITextBox& POWarningEdit;
    ITextBox& PitOutMessageEdit;
};

class TForm1 : public TComponent {
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

    explicit TForm1(const TForm1Services& services);

    // Keystroke reports of the keyboard watch and ticks of the 100 ms timer.
    void CPKeyHook1Key(TComponent* sender, TKeyStates aKeyStates, TKeyNames aKeyNames);
    void Timer1Timer(TComponent* sender);

    // The settings file "QuorlWait.ini" beside the executable (its full path given): the load
    // at show fills the three fields and the three message boxes; the save at close writes all
    // six back and throws EIniFileException at the first write that fails.
    void LoadSettings(IProfileFile& profileFile, const std::string& executablePath);
    void SaveSettings(IProfileFile& profileFile, const std::string& executablePath);

    void LogEvent(const std::string& text);
    // The Save button: the log to "Log.txt" in the current directory.
    void RzBitBtn1Click(TComponent* sender);

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

    // The three message boxes.
    ITextBox& PitInMessageEdit() { return Services.PitInMessageEdit; }
    ITextBox& POWarningEdit() { return Services.POWarningEdit; }
    ITextBox& PitOutMessageEdit() { return Services.PitOutMessageEdit; }

private:
    void QueueMessage(const std::string& text);
    void SendF10();

    TForm1Services Services;
    TEventLog Log;

public:
    TSendkeys* const Sendkeys1;  // owned by the window
};
