// The main window's settings: read from "QuorlWait.ini" at show, written back at close.
#include <algorithm>

#include "app/SettingsStore.h"
#include "app/Unit1.h"

namespace {

const std::string kIniFileName = "QuorlWait.ini";
const std::string kSection = "Timing";

constexpr std::int32_t kDefaultWaitSeconds = 20;
constexpr std::int32_t kDefaultActionKey = 122;  // z
constexpr std::int32_t kDefaultPitInKey = 120;   // x

// A line break written raw would end the entry and start lines of its own (a second "Delay"
// key, a new section), so every CR and LF goes to the file as a space.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

// The keys come before the messages, and the pit-in message first: setting its box runs the
// box's change check, which needs both keys in place. That check has accepted or restored the
// text; the last accepted text then starts empty again (setting the other two boxes runs no
// check).
void TForm1::LoadSettings() {
    SettingsStore store(nullptr, Application.ProfileFile(), Application.ExecutablePath());
    store.UseExeDir = true;
    store.SetIniFileName(kIniFileName);
    store.OpenStore();

    Engine.SetWaitTime(store.ReadIntegerKey(kSection, "Delay", kDefaultWaitSeconds));
    Engine.SetWaitStartChar(
        static_cast<std::uint8_t>(store.ReadIntegerKey(kSection, "actionkey", kDefaultActionKey)));
    Engine.SetPitInChar(
        static_cast<std::uint8_t>(store.ReadIntegerKey(kSection, "PitInkey", kDefaultPitInKey)));
    for (const TRow* row : MessageRows()) {
        Box(row->Face.BoxId)
            .SetText(store.ReadStringKey(kSection, row->SettingKey, row->SettingDefault));
    }
    LastPitInMessage.clear();
}

// Every value is written at every close, each as a write of its own; the first write that
// fails throws, and the writes before it stay in the file.
void TForm1::SaveSettings() {
    SettingsStore store(nullptr, Application.ProfileFile(), Application.ExecutablePath());
    store.UseExeDir = true;
    store.SetIniFileName(kIniFileName);
    store.OpenStore();

    const TEngineView engine = Engine.View();
    store.WriteIntegerKey(kSection, "Delay", engine.WaitTimeSeconds);
    store.WriteIntegerKey(kSection, "actionkey", engine.WaitStartChar);
    store.WriteIntegerKey(kSection, "pitinkey", engine.PitInChar);
    for (const TRow* row : MessageRows()) {
        store.WriteStringKey(kSection, row->SettingKey, OneLine(Box(row->Face.BoxId).Text()));
    }
}
