// The wait engine: trigger keys, the wait against the wall clock, and the paced keystroke queue.
#include "app/PitEngine.h"

#include <algorithm>

#include "components/KeyCodeTranslation.h"

namespace {

constexpr int kPreWarningSeconds = 5;
// The pit-out follows on the sixth tick after the end of the wait.
constexpr int kExpiryTicks = 5;
constexpr double kSecondsPerDay = 86400.0;

// The keyboard watch reports the program's own injected keys too. An echo never fires a
// trigger: a message holding a trigger key would type itself again and again, and when the
// desktop's state differs from the one the text was typed for (Caps Lock on, a modifier the
// driver holds) an echo may decode as a character the text does not hold. Character 0 comes
// with every key that produces none (Shift, F10, arrows) and is never a trigger either.
bool CanTrigger(std::uint8_t character, bool ownEcho) {
    return character != 0 && !ownEcho;
}

}  // namespace

TPitEngine::TPitEngine(IClock& clock,
                       IEventLog& log,
                       TSendkeys& sender,
                       TForegroundWatch& foreground,
                       TEngineMessages messages)
    : Clock(clock), Log(log), Sender(sender), Foreground(foreground), Messages(messages) {}

// Any queueing replaces what is still waiting. A message longer than the queue is cut to its
// first 254 characters; the boxes have no length limit and a settings file may hold 2047.
void TPitEngine::QueueMessage(const std::string& text) {
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(kMaxMessageLength));
    KeyQueue[0] = KeyCode::kEnter;
    std::copy_n(text.begin(), length, KeyQueue.begin() + 1);
    KeyQueue[length + 1] = KeyCode::kEnter;
    QueuePos = 1;
    QueueCount = static_cast<std::int32_t>(length + 2);
}

void TPitEngine::SendF10() {
    Sender.SendKeys(std::string(1, static_cast<char>(KeyCode::kF10)));
}

// Runs on the user-interface thread, possibly nested inside a send of the timer: it is then
// handled in full and may replace the queue, whose current chunk the outer tick already took.
void TPitEngine::Key(bool keyDown, std::uint8_t character, bool ownEcho) {
    if (!keyDown || MessageDialogOpen) {
        return;
    }
    if (SkipNextKey) {
        SkipNextKey = false;
        return;
    }
    Log.LogEvent("Got key " + std::string(1, static_cast<char>(character)));

    if (CanTrigger(character, ownEcho) && character == PitInKey) {
        QueueMessage(Messages.PitIn.Text());
    }
    if (CanTrigger(character, ownEcho) && !WaitActive && character == ActionKey) {
        // F10 goes first, before the clock is read and the wait marked running: a wait start
        // key handled during this send still finds no wait, and this handler then sets the end
        // again from its own, later reading of the clock.
        SendF10();
        WaitEndTime = Clock.Now() + WaitSeconds / kSecondsPerDay;
        WaitActive = true;
        WarningSent = false;
    }
}

void TPitEngine::Tick() {
    SentThisTick = false;
    // A tick nested inside the drain's send: no second drain, no wait checks.
    if (SendingNow) {
        return;
    }
    // Before the drain: a line about the window in front comes before the keys sent into it.
    Foreground.Check(QueueCount >= QueuePos);
    Drain();
    CheckWait();
}

void TPitEngine::Drain() {
    const std::int32_t first = QueuePos;
    const std::int32_t last = std::min(QueueCount, first + kCodesPerTick - 1);
    if (last >= first) {
        const std::string chunk(KeyQueue.begin() + (first - 1), KeyQueue.begin() + last);
        QueuePos = last + 1;
        SentThisTick = true;
        const TFlagScope sending(SendingNow);
        Sender.SendKeys(chunk);
    }
}

// The pre-warning is queued on the first tick later than five seconds before the end, for a
// wait of five seconds or more; the pit-out on the sixth tick later than the end.
void TPitEngine::CheckWait() {
    if (WaitSeconds >= kPreWarningSeconds && WaitActive && !WarningSent &&
        Clock.Now() > WaitEndTime - kPreWarningSeconds / kSecondsPerDay) {
        WarningSent = true;
        QueueMessage(Messages.PreWarning.Text());
    }

    if (WaitActive && Clock.Now() > WaitEndTime) {
        ++ExpiryTicks;
        if (ExpiryTicks > kExpiryTicks) {
            ExpiryTicks = 0;
            WaitActive = false;
            SendF10();
            QueueMessage(Messages.PitOut.Text());
        }
    }
}
