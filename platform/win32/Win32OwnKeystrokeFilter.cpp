// The program types into whichever window has the focus, and that may be one of its own: the
// main window with a button focused, a dialog, a message box. There Enter and Space press the
// focused or default button (IsDialogMessageA, the message box's own loop), so a pit-in message
// could open "Set PI Key" and its next letter become the new trigger. The program's own key
// events must not act on its own windows.
//
// A thread sees no LLKHF_INJECTED on a key message, and another program's injected keys must
// still work. What the thread does see is the extra information that keybd_event (or SendInput)
// was given: GetMessageExtraInfo returns it for the key message just retrieved. The sender gives
// every event the program's own mark, and this filter empties each key message that carries it.
//
// A WH_GETMESSAGE hook of this thread (SetWindowsHookExA with no module and this thread's id)
// runs inside GetMessage and PeekMessage after the message has been retrieved, the extra
// information already set, and before the caller sees it; it may change the message. So it
// covers every message loop of the thread in one place: the program's own loops, and the ones
// it does not own, such as MessageBoxA's. The message is still removed from the queue, so the
// thread's key state changes as for any key. Only the keystroke messages are emptied: WM_CHAR
// and WM_SYSCHAR are made by TranslateMessage from a key-down, which is gone by then, and
// their own extra information is not the key's.
#include "platform/win32/Win32OwnKeystrokeFilter.h"

#include "platform/Keyboard.h"
#include "platform/win32/Win32LastError.h"

namespace {

bool IsKeystroke(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

// Runs on the thread that installed it, inside its GetMessage and PeekMessage calls.
LRESULT CALLBACK FilterOwnKeystrokes(int code, WPARAM removal, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (IsKeystroke(message->message) &&
            static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kOwnKeystrokeMark) {
            message->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

TWin32OwnKeystrokeFilter::TWin32OwnKeystrokeFilter()
    : Hook(SetWindowsHookExA(WH_GETMESSAGE, &FilterOwnKeystrokes, nullptr, GetCurrentThreadId())) {
    if (Hook == nullptr) {
        ThrowLastError("Install the keystroke filter", "WH_GETMESSAGE");
    }
}

TWin32OwnKeystrokeFilter::~TWin32OwnKeystrokeFilter() {
    UnhookWindowsHookEx(Hook);
}
