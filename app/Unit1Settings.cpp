// The main window's settings: read from "QuorlWait.ini" at show, written back at close.
#include "app/Unit1.h"

#include <algorithm>

#include "app/SettingsStore.h"

namespace {

const std::string kIniFileName = "QuorlWait.ini";
const std::string kSection = "Timing";

constexpr std::int32_t kDefaultWaitSeconds = 20;
constexpr std::int32_t kDefaultActionKey = 122;  // z
constexpr std::int32_t kDefaultPitInKey = 120;   // x

// The pre-warning is read from and written to "PitOutWarning", the key that saves have always
// written, so a driver's saved warning comes back at the next start.
const std::string kPreWarningKey = "PitOutWarning";

// A line break written raw would end the entry and start lines of its own (a second "Delay"
// key, a new section), so every CR and LF goes to the file as a space.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

// The keys come before the messages, and the pit-in message first: setting its box runs the
// box's change check, which needs both keys in place.
void TForm1::LoadSettings() {
    SettingsStore store(nullptr, Application.ProfileFile(), Application.ExecutablePath());
    store.UseExeDir = true;
    store.SetIniFileName(kIniFileName);
    store.OpenStore();

    WaitSeconds = store.ReadIntegerKey(kSection, "Delay", kDefaultWaitSeconds);
    ActionKey =
        static_cast<std::uint8_t>(store.ReadIntegerKey(kSection, "actionkey", kDefaultActionKey));
    PitInKey =
        static_cast<std::uint8_t>(store.ReadIntegerKey(kSection, "PitInkey", kDefaultPitInKey));
    Window.PitInMessageEdit().SetText(store.ReadStringKey(kSection, "PitInMessage", "Pit In"));
    // The check that setting the box ran has accepted or restored its text; the last accepted
    // text starts empty again before the other two messages are read.
    LastPitInMessage.clear();
    Window.PitOutMessageEdit().SetText(store.ReadStringKey(kSection, "PitOutMessage", "Pit Out"));
    Window.POWarningEdit().SetText(
        store.ReadStringKey(kSection, kPreWarningKey, "Pit Out Warning"));
}

// Every value is written at every close, each as a write of its own; the first write that
// fails throws, and the writes before it stay in the file.
void TForm1::SaveSettings() {
    SettingsStore store(nullptr, Application.ProfileFile(), Application.ExecutablePath());
    store.UseExeDir = true;
    store.SetIniFileName(kIniFileName);
    store.OpenStore();

    store.WriteIntegerKey(kSection, "Delay", WaitSeconds);
    store.WriteIntegerKey(kSection, "actionkey", ActionKey);
    store.WriteIntegerKey(kSection, "pitinkey", PitInKey);
    store.WriteStringKey(kSection, "PitInMessage", OneLine(Window.PitInMessageEdit().Text()));
    store.WriteStringKey(kSection, "PitOutMessage", OneLine(Window.PitOutMessageEdit().Text()));
    store.WriteStringKey(kSection, kPreWarningKey, OneLine(Window.POWarningEdit().Text()));
}
