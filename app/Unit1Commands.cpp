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

// A message that reads exactly so is ignored without a warning.
const std::string kInvalidMessage = "Invalid Message";

}  // namespace

bool TForm1::ContainsTriggerKey(const std::string& text) const {
    const TEngineView engine = Engine.View();
    return ContainsKey(text, engine.PitInChar) || ContainsKey(text, engine.WaitStartChar);
}

void TForm1::FormShow() {
    LoadSettings();
    for (const TRow* row : MessageRows()) {
        CheckMessageAtShow(Box(row->Face.BoxId), row->ShowWarning);
    }
    ShowEngineSettings();
}

// The keyboard watch starts once the window is up: loading keyhook.dll and starting its thread
// would hold up the window by as long, and the driver sees the window before any key could
// matter. Without the hook the program runs on, deaf to keys, and says so in the log rather
// than in a box: the driver may be in the simulation already.
void TForm1::FormShown() {
    if (!CPKeyHook1->StartHook()) {
        LogEvent(HookStartNotice(Application.HookLibrary().LastStartProblem()));
    }
}

void TForm1::ShowEngineSettings() {
    const TEngineView engine = Engine.View();
    Box(kWaitTimeEditId).SetText(std::to_string(engine.WaitTimeSeconds));
    Box(kKeyEditId).SetText(KeyDisplayText(engine.WaitStartChar));
    Box(kPitInEditId).SetText(KeyDisplayText(engine.PitInChar));
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
    SetTriggerKey(&TPitEngine::SetWaitStartChar, kKeyEditId, Warning::kWaitKey);
}

void TForm1::Button3Click() {
    SetTriggerKey(&TPitEngine::SetPitInChar, kPitInEditId, Warning::kPitInKey);
}

// The key-capture dialog's result is not examined: closed without a key, it gives the key
// captured last. The engine ignores the key pressed in the dialog; the first key-down it sees
// uses that up, whatever the key, and nothing else does.
void TForm1::SetTriggerKey(void (TPitEngine::*set)(std::uint8_t),
                           int displayId,
                           const char* warning) {
    if (!Engine.CommandMayRun()) {
        return;
    }
    Engine.SkipNextKeyDown();
    Form2.ShowModal();
    const std::uint8_t captured = Form2.CapturedKey;
    for (const TRow* row : MessageRows()) {
        if (ContainsKey(Box(row->Face.BoxId).Text(), captured)) {
            Application.Dialogs().WarningBox(warning);
            return;
        }
    }
    (Engine.*set)(captured);
    Box(displayId).SetText(KeyDisplayText(captured));
}

// Keys typed into the input box reach the engine like any other key, and fire a trigger key
// they match. Text that is no integer keeps the old value without a word.
void TForm1::Button2Click() {
    if (!Engine.CommandMayRun()) {
        return;
    }
    const std::string text = Application.Dialogs().InputBox(
        kWaitTimeCaption, kWaitTimePrompt, std::to_string(Engine.View().WaitTimeSeconds));
    std::int32_t value = 0;
    if (TryStrToInt(text, value)) {
        Engine.SetWaitTime(value);
    }
    ShowEngineSettings();
}

void TForm1::Button4Click() {
    SetMessage(Box(kPitInMessageEditId), Warning::kPitInMessage);
}

void TForm1::Button5Click() {
    SetMessage(Box(kPOWarningEditId), Warning::kPreWarning);
}

void TForm1::Button6Click() {
    SetMessage(Box(kPitOutMessageEditId), Warning::kPitOutMessage);
}

// The engine ignores keys while the dialog is open, so typing a message never fires it.
void TForm1::SetMessage(ITextBox& box, const char* warning) {
    if (!Engine.CommandMayRun()) {
        return;
    }
    const TFlagScope dialogOpen = Engine.OpenMessageDialog();
    NewMessageForm.SetMessage(box.Text());
    if (NewMessageForm.ShowModal() != TModalResult::OK) {
        return;
    }
    const std::string text = NewMessageForm.Message();
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
    ITextBox& box = Box(kPitInMessageEditId);
    if (ContainsTriggerKey(box.Text())) {
        Application.Dialogs().WarningBox(Warning::kPitInMessage);
        box.SetText(LastPitInMessage);
    }
    LastPitInMessage = box.Text();
}

void TForm1::RzBitBtn1Click() {
    Log.Save(kLogFileName);
}
