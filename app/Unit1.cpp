// The wait engine: trigger keys, the wait against the wall clock, and the paced keystroke queue.
#include "app/Unit1.h"

#include <algorithm>

#include "app/Errors.h"
#include "components/KeyCodeTranslation.h"

namespace {

// The keyboard watch reports the program's own injected keys too. An echo never fires a
// trigger: a message holding a trigger key would type itself again and again, and when the
// desktop's state differs from the one the text was typed for (Caps Lock on, a modifier the
// driver holds) an echo may decode as a character the text does not hold. Character 0 comes
// with every key that produces none (Shift, F10, arrows) and is never a trigger either.
bool CanTrigger(std::uint8_t character, bool ownEcho) {
    return character != 0 && !ownEcho;
}

// The hot key: Insert, no modifier.
constexpr TShortCut kInsertKey = 45;

}  // namespace

TForm1::TForm1(IApplication& application, IMainWindow& window)
    : TComponent(nullptr),
      Application(application),
      Window(window),
      Log(application.Clock(), window.Memo1()),
      OwnKeys(application.Keyboard(), application.Clock()),
      Foreground(application.ForegroundWindows(), Log),
      Sendkeys1(new TSendkeys(this,
                              OwnKeys,
                              application.Pump(),
                              application.TopLevelWindows(),
                              application.Clock(),
                              Log)),
      CPKeyHook1(new TCPKeyHook(this,
                                application.KeyboardQueries(),
                                application.HookLibrary(),
                                application.HiddenWindows())),
      fisHotKey1(new TfisHotKey(this, application.HotKeys())) {
    CPKeyHook1->OwnKeystrokes = &OwnKeys;
    CPKeyHook1->OnKey = [this](TComponent* sender, TKeyStates keyStates, TKeyNames keyNames) {
        CPKeyHook1Key(sender, keyStates, keyNames);
    };
    // The window's stored properties: writing Key while they load registers Insert at once, so
    // it is taken before the window is shown.
    BeginLoading();
    fisHotKey1->SetKey(kInsertKey);
    fisHotKey1->OnHotKey = [this](TComponent* sender) { fisHotKey1HotKey(sender); };
    EndLoading();
}

void TForm1::fisHotKey1HotKey(TComponent* /*sender*/) {}

void TForm1::LogEvent(const std::string& text) {
    Log.LogEvent(text);
}

// Any queueing replaces what is still waiting. A message longer than the queue is cut to its
// first 254 characters; the boxes have no length limit and a settings file may hold 2047.
void TForm1::QueueMessage(const std::string& text) {
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(kMaxMessageLength));
    KeyQueue[0] = KeyCode::kEnter;
    std::copy_n(text.begin(), length, KeyQueue.begin() + 1);
    KeyQueue[length + 1] = KeyCode::kEnter;
    QueuePos = 1;
    QueueCount = static_cast<std::int32_t>(length + 2);
}

void TForm1::SendF10() {
    Sendkeys1->SendKeys(std::string(1, static_cast<char>(KeyCode::kF10)));
}

// Runs on the user-interface thread, possibly nested inside a send of the timer: it is then
// handled in full and may replace the queue, whose current chunk the outer tick already took.
void TForm1::CPKeyHook1Key(TComponent* /*sender*/, TKeyStates aKeyStates, TKeyNames aKeyNames) {
    if (!aKeyStates.KeyDown || MessageDialogOpen) {
        return;
    }
    if (SkipNextKey) {
        SkipNextKey = false;
        return;
    }
    // Read before anything can run the message loop and handle a nested report.
    const bool ownEcho = CPKeyHook1->IsOwnEcho();
    const std::uint8_t ch = aKeyNames.Character;
    LogEvent("Got key " + std::string(1, static_cast<char>(ch)));

    if (CanTrigger(ch, ownEcho) && ch == PitInKey) {
        QueueMessage(Window.PitInMessageEdit().Text());
    }
    if (CanTrigger(ch, ownEcho) && !WaitActive && ch == ActionKey) {
        // F10 goes first, before the clock is read and the wait marked running: a wait start
        // key handled during this send still finds no wait, and this handler then sets the end
        // again from its own, later reading of the clock.
        SendF10();
        WaitEndTime = Application.Clock().Now() + WaitSeconds / kSecondsPerDay;
        WaitActive = true;
        WarningSent = false;
    }
}

void TForm1::Timer1Timer() {
    SentThisTick = false;
    // A tick nested inside the drain's send: no second drain, no wait checks.
    if (SendingNow) {
        return;
    }
    // Before the drain: a line about the window in front comes before the keys sent into it.
    Foreground.Check();

    const std::int32_t first = QueuePos;
    const std::int32_t last = std::min(QueueCount, first + kCodesPerTick - 1);
    if (last >= first) {
        const std::string chunk(KeyQueue.begin() + (first - 1), KeyQueue.begin() + last);
        QueuePos = last + 1;
        SentThisTick = true;
        SendingNow = true;
        Sendkeys1->SendKeys(chunk);
        SendingNow = false;
    }

    if (WaitSeconds >= kPreWarningSeconds && WaitActive && !WarningSent &&
        Application.Clock().Now() > WaitEndTime - kPreWarningSeconds / kSecondsPerDay) {
        WarningSent = true;
        QueueMessage(Window.POWarningEdit().Text());
    }

    if (WaitActive && Application.Clock().Now() > WaitEndTime) {
        ++ExpiryTicks;
        if (ExpiryTicks > kExpiryTicks) {
            ExpiryTicks = 0;
            WaitActive = false;
            SendF10();
            QueueMessage(Window.PitOutMessageEdit().Text());
        }
    }
}
