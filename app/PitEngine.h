// TPitEngine: the wait engine: trigger keys, the wait against the wall clock, and the paced
// keystroke queue.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/FlagScope.h"
#include "app/ForegroundWatch.h"
#include "components/EventLogSink.h"
#include "components/Sendkeys.h"
#include "platform/Clock.h"
#include "platform/TextBox.h"

// The boxes whose current text the engine queues: it reads them when it queues, not sooner.
struct TEngineMessages {
    const ITextBox& PitIn;
    const ITextBox& PreWarning;
    const ITextBox& PitOut;
};

// What the window shows of the engine.
struct TEngineView {
    std::uint8_t WaitStartChar;
    std::uint8_t PitInChar;
    std::int32_t WaitTimeSeconds;
};

class TPitEngine {
  public:
    // The queue holds 256 codes: Enter, at most 254 message characters, Enter.
    static constexpr int kKeyQueueSize = 256;
    static constexpr int kMaxMessageLength = kKeyQueueSize - 2;
    // Codes the timer hands to the sender per tick: with the 100 ms tick, the messages' pace.
    static constexpr int kCodesPerTick = 11;

    // All of them outlive the engine.
    TPitEngine(IClock& clock,
               IEventLog& log,
               TSendkeys& sender,
               TForegroundWatch& foreground,
               TEngineMessages messages);

    // A keystroke of the keyboard watch: `ownEcho` marks the echo of a key this program
    // injected, which is logged but fires nothing. May run the message loop (a wait start
    // types F10 at once).
    void Key(bool keyDown, std::uint8_t character, bool ownEcho);
    // One tick of Timer1: types the next chunk of the queue and runs the wait.
    void Tick();

    // False in a tick that typed a chunk: a command clicked then does nothing.
    bool CommandMayRun() const { return !SentThisTick; }
    // The next key-down the engine receives is ignored, whatever the key.
    void SkipNextKeyDown() { SkipNextKey = true; }
    // Keys are ignored while the returned scope lives.
    [[nodiscard]] TFlagScope OpenMessageDialog() { return TFlagScope(MessageDialogOpen); }

    void SetWaitStartChar(std::uint8_t character) { ActionKey = character; }
    void SetPitInChar(std::uint8_t character) { PitInKey = character; }
    // A running wait keeps its end; the new time decides whether it is warned.
    void SetWaitTime(std::int32_t seconds) { WaitSeconds = seconds; }
    TEngineView View() const { return {ActionKey, PitInKey, WaitSeconds}; }

  private:
    void QueueMessage(const std::string& text);
    void SendF10();
    void Drain();
    void CheckWait();

    IClock& Clock;
    IEventLog& Log;
    TSendkeys& Sender;
    TForegroundWatch& Foreground;
    TEngineMessages Messages;

    std::uint8_t ActionKey = 0;
    std::uint8_t PitInKey = 0;
    std::int32_t WaitSeconds = 0;
    bool SkipNextKey = false;

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
};
