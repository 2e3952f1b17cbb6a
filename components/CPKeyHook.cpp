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

constexpr std::size_t kLayoutNameSize = 10;

constexpr std::uint8_t kKeyDown = 0x80;
constexpr std::uint8_t kKeyToggled = 0x01;

// Puts the desktop's modifiers and Caps Lock, as the report carries them, into a keyboard state
// for the translation: the generic key (which the layouts read) and its left and right keys.
// Every other key keeps the thread's state, which no translation of a key report depends on.
void ApplyReportedKeyState(std::uint32_t report, std::uint8_t (&state)[256]) {
    struct TModifier {
        std::uint8_t Generic, Left, Right;
        std::uint32_t LeftBit, RightBit;
    };
    constexpr TModifier kModifiers[] = {
        {0x10, 0xA0, 0xA1, kReportLeftShiftBit, kReportRightShiftBit},
        {0x11, 0xA2, 0xA3, kReportLeftCtrlBit, kReportRightCtrlBit},
        {0x12, 0xA4, 0xA5, kReportLeftAltBit, kReportRightAltBit},
    };
    for (const TModifier& modifier : kModifiers) {
        const bool left = (report & modifier.LeftBit) != 0;
        const bool right = (report & modifier.RightBit) != 0;
        state[modifier.Left] = left ? kKeyDown : 0;
        state[modifier.Right] = right ? kKeyDown : 0;
        state[modifier.Generic] = left || right ? kKeyDown : 0;
    }
    constexpr std::uint8_t kVkCapital = 0x14;
    state[kVkCapital] = (report & kReportCapsLockBit) != 0 ? kKeyToggled : 0;
}

}  // namespace

TCPKeyHook::TCPKeyHook(TComponent* owner,
                       IKeyboardQueries& keyboard,
                       IKeyboardHookLibrary& hookLibrary,
                       IHiddenWindows& windows,
                       TOwnKeystrokes* ownKeystrokes)
    : TComponent(owner),
      Keyboard(keyboard),
      HookLibrary(hookLibrary),
      OwnKeystrokes(ownKeystrokes) {
    HookWindow = windows.CreateHiddenWindow([this](TMessage& message) { HookWndProc(message); });
    RepeatCounter = 0;
    char layoutName[kLayoutNameSize] = {};
    Keyboard.KeyboardLayoutName(layoutName);
    // Layout handles are pointer-sized; the property keeps the low 32 bits, which hold the
    // language and device identifiers.
    KeyboardHandle = static_cast<std::int32_t>(Keyboard.GetKeyboardLayout());
    layoutName[kLayoutNameSize - 1] = '\0';
    KeyboardLayout = layoutName;
    KeepsDeadKeyState = Keyboard.KeepsDeadKeyState();
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
//
// Shift, Ctrl and the character come from the desktop's key state that the hook library sends
// with the report, not from this thread's: on Windows a thread's key state changes only as it
// takes key messages from its own queue, and while the simulation has the focus this thread
// takes none, so Shift+x typed there would come out as x here (Wine follows the desktop and
// hides this). The program's own injected Shift is part of that state too: its "!" reads "!".
void TCPKeyHook::WMKeyHook(TMessage& message) {
    // The low byte of wParam is the virtual key; the hook library adds the injected mark and the
    // key state above it.
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
    states.CtrlDown = (report & kReportCtrlBits) != 0;
    states.ShiftDown = (report & kReportShiftBits) != 0;

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
    ApplyReportedKeyState(report, keyboardState);

    Keyboard.KeyNameText(static_cast<std::int32_t>(flags), name, TKeyNames::kKeyNameSize);
    std::memcpy(names.KeyName, name, TKeyNames::kKeyNameSize);

    // ToAscii takes the whole flags word as its scan code: the top bit marks a release. A dead
    // key typed into the simulation waits in the layout for its letter; where the system can,
    // the translation leaves that wait alone, or the simulation could lose the accent.
    std::uint8_t characters[2] = {};
    const std::uint32_t translation = (states.MenuActive ? IKeyboardQueries::kMenuActive : 0) |
                                      (KeepsDeadKeyState ? IKeyboardQueries::kKeepDeadKeyState : 0);
    if (Keyboard.ToAscii(virtualKey, flags, keyboardState, characters, translation) != 0) {
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
