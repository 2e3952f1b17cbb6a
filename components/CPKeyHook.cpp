// The keyboard watch: starts the hook library and turns each report into TKeyStates and
// TKeyNames for OnKey.
#include "components/CPKeyHook.h"

#include <cstring>

#include "platform/KeyReport.h"

namespace {

// The auto-repeat count of the last report, shared by every instance: a report that is not an
// auto-repeat, and every construction, set it back to 0.
std::int32_t RepeatCounter = 0;

// Bits of the flags word of WM_KEYDOWN/WM_KEYUP.
constexpr std::uint32_t kExtendedBit = 1u << 24;
constexpr std::uint32_t kMenuActiveBit = 1u << 28;
constexpr std::uint32_t kContextBit = 1u << 29;
constexpr std::uint32_t kPreviousStateBit = 1u << 30;
constexpr std::uint32_t kTransitionBit = 1u << 31;

// A press and a release that carry repeat count 1 and nothing else: no scan code, no extended
// or context bit.
constexpr std::uint32_t kBarePress = 0x00000001;
constexpr std::uint32_t kBareRelease = 0xC0000001;

constexpr std::int32_t kVkShift = 16;
constexpr std::int32_t kVkControl = 17;
constexpr std::uint32_t kToAsciiMenuActive = 1;
constexpr std::size_t kLayoutNameSize = 10;

}  // namespace

TCPKeyHook::TCPKeyHook(TComponent* owner,
                       IKeyboardQueries& keyboard,
                       IKeyboardHookLibrary& hookLibrary,
                       IHiddenWindows& windows)
    : TComponent(owner), Keyboard(keyboard), HookLibrary(hookLibrary) {
    HookWindow = windows.CreateHiddenWindow([this](TMessage& message) { HookWndProc(message); });
    RepeatCounter = 0;
    char layoutName[kLayoutNameSize] = {};
    Keyboard.KeyboardLayoutName(layoutName);
    // Layout handles are pointer-sized; the property keeps the low 32 bits, which hold the
    // language and device identifiers.
    KeyboardHandle = static_cast<std::int32_t>(Keyboard.GetKeyboardLayout());
    layoutName[kLayoutNameSize - 1] = '\0';
    KeyboardLayout = layoutName;
}

// Stop first, so that no report is posted to a window that is going away; the window goes in
// any case, and the base class's destruction follows (neither step throws).
TCPKeyHook::~TCPKeyHook() {
    HookLibrary.Stop();
    HookWindow.reset();
}

// One start only: the library is not asked again while the hook runs.
bool TCPKeyHook::StartHook() {
    if (Enabled) {
        return false;
    }
    Enabled = HookLibrary.Start(HookWindow->Handle(), kHookMessage);
    return Enabled;
}

void TCPKeyHook::HookWndProc(TMessage& message) {
    if (message.Msg == kHookMessage) {
        WMKeyHook(message);
    } else {
        DefaultHandler(message);
    }
}

void TCPKeyHook::DefaultHandler(TMessage& message) {
    message.Result = HookWindow->DefaultProcessing(message);
}

// Decodes one report whenever it arrives, started or not. Everything lives on the stack: an
// OnKey handler that runs the message loop gets nested reports, each decoded on its own.
void TCPKeyHook::WMKeyHook(TMessage& message) {
    // The low byte of wParam is the virtual key; the hook library adds the injected mark above
    // it, which the decoding never sees.
    const auto report = static_cast<std::uint32_t>(message.WParam);
    const std::uint32_t virtualKey = report & kReportVirtualKeyMask;
    const auto flags = static_cast<std::uint32_t>(message.LParam);

    char name[TKeyNames::kKeyNameSize] = {};
    TKeyNames names{};
    names.Character = 0;

    TKeyStates states{};
    states.Synthetic = flags == kBarePress || flags == kBareRelease;
    states.KeyDown = (flags & kTransitionBit) == 0;
    states.WasDown = (flags & kPreviousStateBit) != 0;
    states.AltDown = (flags & kContextBit) != 0;
    states.MenuActive = (flags & kMenuActiveBit) != 0;
    states.Extended = (flags & kExtendedBit) != 0;
    // GetKeyState gives the modifiers as this thread's message processing has seen them.
    states.CtrlDown = Keyboard.GetKeyState(kVkControl) < 0;
    states.ShiftDown = Keyboard.GetKeyState(kVkShift) < 0;

    // The flags' own repeat count is always 1 from a low-level hook, so auto-repeats are
    // counted here: a key-down of a key that was already down.
    if (states.WasDown && states.KeyDown) {
        ++RepeatCounter;
    } else {
        RepeatCounter = 0;
    }
    states.RepeatCount = RepeatCounter;

    std::uint8_t keyboardState[256] = {};
    Keyboard.GetKeyboardState(keyboardState);

    Keyboard.KeyNameText(static_cast<std::int32_t>(flags), name, TKeyNames::kKeyNameSize);
    std::memcpy(names.KeyName, name, TKeyNames::kKeyNameSize);

    // ToAscii takes the whole flags word as its scan code: the top bit marks a release.
    std::uint8_t characters[2] = {};
    if (Keyboard.ToAscii(virtualKey, flags, keyboardState, characters,
                         states.MenuActive ? kToAsciiMenuActive : 0) != 0) {
        names.Character = characters[0];
    }

    const bool ownEcho = (report & kReportInjectedBit) != 0 && OwnKeystrokes != nullptr &&
                         OwnKeystrokes->TakeEcho(virtualKey, !states.KeyDown);

    if (OnKey) {
        // Kept around the call: a handler that runs the message loop gets nested reports.
        const bool outer = HandlingOwnEcho;
        HandlingOwnEcho = ownEcho;
        OnKey(this, states, names);
        HandlingOwnEcho = outer;
    }
    message.Result = 0;
}
