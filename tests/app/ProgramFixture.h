// The whole program over fakes, driven as a driver drives it: keys through the keyboard watch,
// Timer1's ticks, clicks and dialog answers, a settings file; read back as the driver reads
// it: keys sent, log lines, boxes, warnings and file text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "components/CPKeyHook.h"
#include "keyhook/KeyFlags.h"
#include "platform/KeyReport.h"
#include "tests/fakes/FakeApplication.h"
#include "tests/fakes/ProfileText.h"

using Strings = std::vector<std::string>;

class ProgramFixture : public testing::Test {
  protected:
    ProgramFixture() { Clock.Text = "T"; }

    // Starts the program as the start-up does, over a settings file whose section Timing holds
    // these lines (none: the file as it is, maybe none), and shows its main window.
    void Start(const std::string& timingLines = {}) {
        Build(timingLines);
        Program->Show();
    }
    // Start without the show. Built again, the program starts anew with fresh windows, as a
    // restart would; only the files, the clock and the dialogs' records stay.
    void Build(const std::string& timingLines = {}) {
        if (!timingLines.empty()) {
            Profile.Files[kIniPath] = "[Timing]\r\n" + timingLines;
        }
        Program.reset();
        Application.MainWindow = TFakeMainWindow();
        Program = std::make_unique<TProgramWindows>(Application);
        FlagsBuilder.Clear();  // the new hook's reports start afresh
    }
    // The driver closes the main window, which saves the settings; the save's exception comes
    // out of here.
    void Close() { Application.MainWindow.Close(); }
    // The key's value in the settings file's section Timing, as its line holds it.
    std::string IniValue(const std::string& key) {
        return ProfileText::FindValue(Profile.Files[kIniPath], "Timing", key).value_or("<none>");
    }

    // A key event on the desktop: the hook reports it, with the key state it has followed and
    // the system's Caps Lock before the event, unless it is out of the hook's sight (another
    // desktop, a program with more rights); the system's Caps Lock follows it after the hooks.
    void Key(std::uint32_t virtualKey, bool released, bool injected = false) {
        const std::uint32_t scanCode = Keyboard.ScanCodeForVirtualKey(virtualKey);
        const TLowLevelKey key{virtualKey, scanCode, false, false, released, Desktop.CapsLock};
        const bool press = !released && !Desktop.Down[virtualKey & 0xFF];
        Desktop.Down[virtualKey & 0xFF] = !released;
        if (press && virtualKey == kVkCapital) {
            Desktop.CapsLock = !Desktop.CapsLock;
        }
        if (press && Desktop.ShiftTurnsCapsLockOff &&
            (virtualKey == kVkLeftShift || virtualKey == kVkRightShift)) {
            Desktop.CapsLock = false;
        }
        if (Desktop.OutOfSight) {
            return;
        }
        const std::uint32_t flags = FlagsBuilder.Flags(key);
        HiddenWindows.Last->Send(TCPKeyHook::kHookMessage,
                                 ReportWParam(virtualKey, injected, FlagsBuilder.KeyState()),
                                 static_cast<std::intptr_t>(flags));
    }
    // A key of the driver's keyboard (or of another program's keybd_event) down and up.
    void Tap(std::uint32_t virtualKey, bool injected = false) {
        Key(virtualKey, false, injected);
        Key(virtualKey, true, injected);
    }
    // The driver types the text on the US layout, with the left Shift where a character needs
    // it.
    void Type(const std::string& text) {
        for (const char c : text) {
            const auto scan = static_cast<std::uint16_t>(Keyboard.KeyForCharacter(c));
            const bool shift = (scan & 0x100) != 0;
            if (shift) {
                Key(kVkLeftShift, false);
            }
            Tap(scan & 0xFF);
            if (shift) {
                Key(kVkLeftShift, true);
            }
        }
    }

    // The program's own keys come back through the hook, as injected reports (Shift as the left
    // one): at the next pass of the message loop, or late, only after the tick's send.
    void EchoOwnKeys(bool late = false) {
        Keyboard.OnEvent = [this, late](const TInjectedKey& key) {
            const std::uint32_t reported =
                key.VirtualKey == kVkShift ? kVkLeftShift : key.VirtualKey;
            auto report = [this, key, reported] { Key(reported, !key.Press(), true); };
            if (late) {
                Late.push_back(report);
            } else {
                Pump.Post(report);
            }
        };
    }

    // One timer tick, a tick's length after the last (or later, for a busy system), and the
    // late echoes.
    void Tick(double secondsSinceLast = kTimer1IntervalMs / 1000.0) {
        Clock.AdvanceSeconds(secondsSinceLast);
        Application.MainWindow.Tick();
        std::vector<std::function<void()>> late;
        late.swap(Late);
        for (const auto& report : late) {
            report();
        }
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }

    void Click(const std::string& caption) { ASSERT_TRUE(Application.MainWindow.Click(caption)); }
    TFakeTextBox& Box(const std::string& label) { return Application.MainWindow.BoxOf(label); }
    // Every row's box text, from the top.
    Strings Boxes() {
        Strings texts;
        for (const TMainWindowRow& row : Application.MainWindow.Rows) {
            texts.push_back(Application.MainWindow.Boxes.at(row.BoxId).Value);
        }
        return texts;
    }

    // The log lines without their date-time text (the box shows them at each flush, which the
    // window does after each tick; this flushes first).
    Strings Events() {
        Memo1.Flush();
        Strings events;
        for (const std::string& line : Memo1.Stored) {
            events.push_back(line.substr(kPrefix.size()));
        }
        return events;
    }
    // The key-code strings handed to the sender, in order.
    Strings Sent() {
        const std::string marker = "Sending string ";
        Strings sent;
        for (const std::string& event : Events()) {
            if (event.starts_with(marker)) {
                sent.push_back(event.substr(marker.size()));
            }
        }
        return sent;
    }
    // What was typed into the simulation: the sent strings one after the other.
    std::string Typed() {
        std::string typed;
        for (const std::string& chunk : Sent()) {
            typed += chunk;
        }
        return typed;
    }
    int F10Count() const {
        int count = 0;
        for (const TInjectedKey& key : Keyboard.Events) {
            count += key.VirtualKey == kVkF10 && key.Press() ? 1 : 0;
        }
        return count;
    }

  public:
    static constexpr std::uint32_t kVkShift = 0x10;
    static constexpr std::uint32_t kVkLeftShift = 0xA0;
    static constexpr std::uint32_t kVkRightShift = 0xA1;
    static constexpr std::uint32_t kVkCapital = 0x14;
    static constexpr std::uint32_t kVkF10 = 121;
    static inline const std::string kIniPath = "C:\\Games\\Quorl\\QuorlWait.ini";
    static inline const std::string kPrefix = "T      ";
    static inline const std::string kF10 = "\xED";

  protected:
    TFakeApplication Application;
    TFakeClock& Clock = Application.ClockService;
    TFakeKeyboard& Keyboard = Application.KeyboardService;
    TFakeMessagePump& Pump = Application.PumpService;
    TFakeDialogs& Dialogs = Application.DialogsService;
    TFakeProfileFile& Profile = Application.ProfileFileService;
    TFakeKeyboardQueries& KeyboardQueries = Application.KeyboardQueriesService;
    TFakeHiddenWindows& HiddenWindows = Application.HiddenWindowsService;
    TFakeKeyboardHookLibrary& HookLibrary = Application.HookLibraryService;
    TFakeHotKeys& HotKeys = Application.HotKeysService;
    TFakeLogBox& Memo1 = Application.MainWindow.Memo1Box;
    TFakeKeyCaptureWindow& KeyCaptureWindow = Application.KeyCaptureWindow;
    TFakeMessageEntryWindow& MessageEntryWindow = Application.MessageEntryWindow;
    std::unique_ptr<TProgramWindows> Program;
    // The system's side of the keyboard, as Windows keeps it whoever sees the keys.
    struct TDesktop {
        bool OutOfSight = false;  // keys go to another desktop or a program with more rights
        bool ShiftTurnsCapsLockOff = false;  // the system's "press Shift to turn off Caps Lock"
        bool CapsLock = false;
        bool Down[256] = {};
    } Desktop;

  private:
    TKeyFlagsBuilder FlagsBuilder;
    std::vector<std::function<void()>> Late;
};
