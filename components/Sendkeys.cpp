// The keystroke sender: logs, injects and lets the message loop run after every code.
#include "components/Sendkeys.h"

#include <algorithm>
#include <array>

#include "components/KeyCodeTranslation.h"

TSendkeys::TSendkeys(TComponent* owner,
                     IKeyboardInput& keyboard,
                     IMessagePump& pump,
                     ITopLevelWindows& windows,
                     IClock& clock,
                     IEventLog& log)
    : TComponent(owner), Keyboard(keyboard), Pump(pump), Windows(windows), Clock(clock), Log(log) {}

// Synchronous: returns when every event has been injected. The message pass after each code
// lets ticks, keystroke reports and clicks run in between, nested sends included; each call
// keeps its own position and modifier flag. Nothing is released at the end.
void TSendkeys::SendKeys(const std::string& keyCodes) {
    Log.LogEvent("Sending string " + keyCodes);
    if (keyCodes.empty()) {
        return;
    }
    const std::size_t length = keyCodes.size();
    bool modifierHeld = false;
    for (std::size_t position = 0; position < length; ++position) {
        const char code = keyCodes[position];
        Log.LogEvent(std::string("Sending Key ") + code);
        const TKeyEvents events =
            KeyEventsForCode(static_cast<std::uint8_t>(code), modifierHeld, Keyboard);
        for (int i = 0; i < events.Count; ++i) {
            const TKeyEvent& event = events.Events[static_cast<std::size_t>(i)];
            Keyboard.KeybdEvent(event.VirtualKey, event.ScanCode, event.Flags, kOwnKeystrokeMark);
        }
        Pump.ProcessMessages();
    }
}

// The keys follow the activation calls at once, with no test of which window has the focus:
// a title that no window has still types into the focused one.
void TSendkeys::SendKeysTo(const std::string& windowTitle, const std::string& keyCodes) {
    MakeWindowActive(GetHandleFromWindowTitle(windowTitle));
    SendKeys(keyCodes);
}

void TSendkeys::Delay(std::int32_t delayMs) {
    const std::uint32_t start = Clock.GetTickCount();
    std::uint32_t elapsed;
    do {
        Pump.ProcessMessages();
        // Unsigned difference: right across the counter's wrap after 49.7 days.
        elapsed = Clock.GetTickCount() - start;
    } while (static_cast<std::int64_t>(elapsed) < delayMs);
}

void TSendkeys::MakeWindowActive(TWindowHandle window) {
    if (Windows.IsIconic(window)) {
        Windows.ShowWindowRestore(window);
    } else {
        Windows.BringWindowToTop(window);
    }
}

// The title goes through a 256-character buffer; a longer one is cut at 255 characters.
TWindowHandle TSendkeys::GetHandleFromWindowTitle(const std::string& windowTitle) {
    constexpr std::size_t kTitleBufferSize = 256;
    std::array<char, kTitleBufferSize> title{};
    const std::size_t length = std::min(windowTitle.size(), kTitleBufferSize - 1);
    std::copy_n(windowTitle.begin(), length, title.begin());
    title[length] = '\0';
    return Windows.FindWindowByTitle(title.data());
}
