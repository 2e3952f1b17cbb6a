// The main window's rows and its wiring: the keyboard watch and the timer feed the engine,
// which types through the sender; each row's button and box run the form's handlers.
#include "app/Unit1.h"

#include <algorithm>

#include "app/Notices.h"

namespace {

// The hot key: Insert, no modifier.
constexpr TShortCut kInsertKey = 45;

}  // namespace

// Row by row from the top, each a label, a read-only box and its button; Save ends the first
// row. The three message rows carry their settings key, default and warning at show.
const std::vector<TForm1::TRow>& TForm1::AllRows() {
    static const std::vector<TRow> rows = {
        {{"Wait Time", kWaitTimeEditId, false, true, false, "Set Wait Time", kButton2Id,
          kRzBitBtn1Id, "Save"},
         &TForm1::Button2Click,
         &TForm1::RzBitBtn1Click},
        {{"Pit In Key", kPitInEditId, false, true, false, "Set PI Key", kButton3Id},
         &TForm1::Button3Click},
        {{"Wait Start Key", kKeyEditId, false, true, false, "Set Wait Key", kButton1Id},
         &TForm1::Button1Click},
        {{"Pit In Message", kPitInMessageEditId, true, true, true, "Set PI Message", kButton4Id},
         &TForm1::Button4Click,
         nullptr,
         &TForm1::PitInMessageEditChange,
         "PitInMessage",
         "Pit In",
         Warning::kPitInMessage,
         1},
        // The pre-warning is read from and written to "PitOutWarning", the key that saves have
        // always written, so a driver's saved warning comes back at the next start.
        {{"PO Pre-Warning", kPOWarningEditId, true, true, false, "Set PO Warning", kButton5Id},
         &TForm1::Button5Click,
         nullptr,
         nullptr,
         "PitOutWarning",
         "Pit Out Warning",
         Warning::kPreWarningAtShow,
         3},
        {{"Pit Out Message", kPitOutMessageEditId, true, true, false, "Set PO Message", kButton6Id},
         &TForm1::Button6Click,
         nullptr,
         nullptr,
         "PitOutMessage",
         "Pit Out",
         Warning::kPitOutMessage,
         2},
    };
    return rows;
}

TMainWindowRows TForm1::Rows() {
    static const std::vector<TMainWindowRow> faces = [] {
        std::vector<TMainWindowRow> result;
        for (const TRow& row : AllRows()) {
            result.push_back(row.Face);
        }
        return result;
    }();
    return faces;
}

std::vector<const TForm1::TRow*> TForm1::MessageRows() {
    std::vector<const TRow*> messages;
    for (const TRow& row : AllRows()) {
        if (row.MessageOrder != 0) {
            messages.push_back(&row);
        }
    }
    std::ranges::sort(messages, {}, &TRow::MessageOrder);
    return messages;
}

TForm1::TForm1(IApplication& application,
               IMainWindow& window,
               TForm2& form2,
               TNewMessageForm& newMessageForm)
    : TComponent(nullptr),
      Application(application),
      Window(window),
      Form2(form2),
      NewMessageForm(newMessageForm),
      Log(application.Clock(), window.Memo1()),
      OwnKeys(application.Keyboard(), application.Clock()),
      Sendkeys1(new TSendkeys(this,
                              OwnKeys,
                              application.Pump(),
                              application.TopLevelWindows(),
                              application.Clock(),
                              Log)),
      CPKeyHook1(new TCPKeyHook(this,
                                application.KeyboardQueries(),
                                application.HookLibrary(),
                                application.HiddenWindows(),
                                &OwnKeys)),
      fisHotKey1(new TfisHotKey(this, application.HotKeys())),
      Foreground(application.ForegroundWindows(), Log),
      Engine(application.Clock(),
             Log,
             *Sendkeys1,
             Foreground,
             {window.Box(kPitInMessageEditId), window.Box(kPOWarningEditId),
              window.Box(kPitOutMessageEditId)}) {
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

// Whether the report is the program's own echo is read before anything can run the message
// loop and handle a nested report.
void TForm1::CPKeyHook1Key(TComponent* /*sender*/, TKeyStates aKeyStates, TKeyNames aKeyNames) {
    Engine.Key(aKeyStates.KeyDown, aKeyNames.Character, CPKeyHook1->IsOwnEcho());
}

void TForm1::Timer1Timer() {
    Engine.Tick();
}

void TForm1::Clicked(int buttonId) {
    for (const TRow& row : AllRows()) {
        if (row.Face.ButtonId == buttonId) {
            (this->*row.Click)();
        } else if (row.EndClick != nullptr && row.Face.EndButtonId == buttonId) {
            (this->*row.EndClick)();
        }
    }
}

void TForm1::Changed(int boxId) {
    for (const TRow& row : AllRows()) {
        if (row.Change != nullptr && row.Face.BoxId == boxId) {
            (this->*row.Change)();
        }
    }
}
