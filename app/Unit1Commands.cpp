// The main window's show and close, and its configuration commands: no message may contain a
// trigger key.
#include <cstdint>
#include <string>

#include "app/IntegerText.h"
#include "app/MessageRules.h"
#include "app/NewMessage.h"
#include "app/Notices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

namespace {

const std::string kLogFileName = "Log.txt";

constexpr const char* kPitInMessageWarning =
    "action keys must not be part of any message - please select another Pit in message";
constexpr const char* kPitOutMessageAtShowWarning =
    "action keys must not be part of any message - please select another Pit Out message";
constexpr const char* kPreWarningAtShowWarning =
    "action keys must not be part of any message - please select another Pit Out Warning";
constexpr const char* kWaitKeyWarning =
    "Wait key must not be part of any message - please select another";
constexpr const char* kPitInKeyWarning =
    "Pit in key must not be part of any message - please select another";
constexpr const char* kPreWarningWarning =
    "action keys must not be part of any message - please select another Pit Out Warning "
    "message";
constexpr const char* kPitOutMessageWarning =
    "action keys must not be part of any message - please select another Pit Out message";

// A message that reads exactly so is ignored without a warning.
const std::string kInvalidMessage = "Invalid Message";

// Clears MessageDialogOpen however the dialog ends, an exception included.
class TMessageDialogScope {
  public:
    explicit TMessageDialogScope(bool& open) : Open(open) { Open = true; }
    ~TMessageDialogScope() { Open = false; }
    TMessageDialogScope(const TMessageDialogScope&) = delete;
    TMessageDialogScope& operator=(const TMessageDialogScope&) = delete;

  private:
    bool& Open;
};

}  // namespace

bool TForm1::ContainsTriggerKey(const std::string& text) const {
    return ContainsKey(text, PitInKey) || ContainsKey(text, ActionKey);
}

void TForm1::FormShow() {
    LoadSettings();
    CheckMessageAtShow(Window.PitInMessageEdit(), kPitInMessageWarning);
    CheckMessageAtShow(Window.PitOutMessageEdit(), kPitOutMessageAtShowWarning);
    CheckMessageAtShow(Window.POWarningEdit(), kPreWarningAtShowWarning);
    Window.WaitTimeEdit().SetText(std::to_string(WaitSeconds));
    Window.KeyEdit().SetText(KeyDisplayText(ActionKey));
    Window.PitInEdit().SetText(KeyDisplayText(PitInKey));
    // Without the hook the program runs on, deaf to keys, and says so in the log rather than in
    // a box: the driver may be in the simulation already.
    if (!CPKeyHook1->StartHook()) {
        LogEvent(HookStartNotice(Application.HookLibrary().LastStartProblem()));
    }
}

// A stored message that contains a trigger key is cleared, not set back to its default.
void TForm1::CheckMessageAtShow(ITextBox& box, const char* warning) {
    if (ContainsTriggerKey(box.Text())) {
        Application.Dialogs().WarningBox(warning);
        box.SetText("");
    }
}

void TForm1::FormClose() {
    SaveSettings();
}

void TForm1::Button1Click() {
    SetTriggerKey(ActionKey, Window.KeyEdit(), kWaitKeyWarning);
}

void TForm1::Button3Click() {
    SetTriggerKey(PitInKey, Window.PitInEdit(), kPitInKeyWarning);
}

// The key-capture dialog's result is not examined: closed without a key, it gives the key
// captured last. SkipNextKey makes the engine ignore the key pressed in the dialog; the first
// key-down the engine sees uses it up, whatever the key, and nothing clears it otherwise.
void TForm1::SetTriggerKey(std::uint8_t& key, ITextBox& display, const char* warning) {
    if (SentThisTick) {
        return;
    }
    SkipNextKey = true;
    Form2->ShowModal();
    const std::uint8_t captured = Form2->CapturedKey;
    if (ContainsKey(Window.PitInMessageEdit().Text(), captured) ||
        ContainsKey(Window.POWarningEdit().Text(), captured) ||
        ContainsKey(Window.PitOutMessageEdit().Text(), captured)) {
        Application.Dialogs().WarningBox(warning);
        return;
    }
    key = captured;
    display.SetText(KeyDisplayText(captured));
}

// Keys typed into the input box reach the engine like any other key, and fire a trigger key
// they match. Text that is no integer keeps the old value without a word.
void TForm1::Button2Click() {
    if (SentThisTick) {
        return;
    }
    const std::string text = Application.Dialogs().InputBox(
        "Wait Time Edit", "Enter new time in seconds", std::to_string(WaitSeconds));
    std::int32_t value = 0;
    if (TryStrToInt(text, value)) {
        WaitSeconds = value;
    }
    Window.WaitTimeEdit().SetText(std::to_string(WaitSeconds));
}

void TForm1::Button4Click() {
    SetMessage(Window.PitInMessageEdit(), kPitInMessageWarning);
}

void TForm1::Button5Click() {
    SetMessage(Window.POWarningEdit(), kPreWarningWarning);
}

void TForm1::Button6Click() {
    SetMessage(Window.PitOutMessageEdit(), kPitOutMessageWarning);
}

// The engine ignores keys while the dialog is open, so typing a message never fires it.
void TForm1::SetMessage(ITextBox& box, const char* warning) {
    if (SentThisTick) {
        return;
    }
    const TMessageDialogScope dialogOpen(MessageDialogOpen);
    NewMessageForm->SetMessage(box.Text());
    if (NewMessageForm->ShowModal() != TModalResult::OK) {
        return;
    }
    const std::string text = NewMessageForm->Message();
    if (text == kInvalidMessage) {
        return;
    }
    if (ContainsTriggerKey(text)) {
        Application.Dialogs().WarningBox(warning);
        return;
    }
    box.SetText(text);
}

// Runs whenever the pit-in box's text changes, whoever changes it; setting it back to the last
// accepted text runs this again for that text.
void TForm1::PitInMessageEditChange() {
    if (ContainsTriggerKey(Window.PitInMessageEdit().Text())) {
        Application.Dialogs().WarningBox(kPitInMessageWarning);
        Window.PitInMessageEdit().SetText(LastPitInMessage);
    }
    LastPitInMessage = Window.PitInMessageEdit().Text();
}

void TForm1::RzBitBtn1Click() {
    Log.Save(kLogFileName);
}
