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
//
// The hook runs for every message the thread takes, and under Wine each run is three calls to
// the wineserver: at every tick of an idle program. But the system puts key messages only in
// the queue of the foreground thread, the one whose window is active. So the hook is set when
// the thread becomes the foreground thread (WM_ACTIVATEAPP is sent to it before it takes any
// key that follows the change) and taken away once it has stopped being it and its queue holds
// no key message: the keys queued before the change are still taken afterwards.
#include "platform/win32/Win32OwnKeystrokeFilter.h"

#include "platform/Keyboard.h"
#include "platform/win32/Win32LastError.h"

namespace {

thread_local TWin32OwnKeystrokeFilter* ThreadFilter = nullptr;

bool IsKeystroke(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP;
}

bool KeysQueued() {
    return (HIWORD(GetQueueStatus(QS_KEY)) & QS_KEY) != 0;
}

}  // namespace

TWin32OwnKeystrokeFilter::TWin32OwnKeystrokeFilter() {
    ThreadFilter = this;
}

TWin32OwnKeystrokeFilter::~TWin32OwnKeystrokeFilter() {
    Remove();
    ThreadFilter = nullptr;
}

void TWin32OwnKeystrokeFilter::ThreadActivated(bool active) {
    TWin32OwnKeystrokeFilter* filter = ThreadFilter;
    if (filter == nullptr) {
        return;
    }
    filter->Foreground = active;
    if (active && filter->Hook == nullptr) {
        filter->Hook =
            SetWindowsHookExA(WH_GETMESSAGE, &FilterOwnKeystrokes, nullptr, GetCurrentThreadId());
        if (filter->Hook == nullptr) {
            ThrowLastError("Install the keystroke filter", "WH_GETMESSAGE");
        }
    }
}

void TWin32OwnKeystrokeFilter::Remove() {
    if (Hook != nullptr) {
        UnhookWindowsHookEx(Hook);
        Hook = nullptr;
    }
}

// Runs on the thread that installed it, inside its GetMessage and PeekMessage calls.
LRESULT CALLBACK TWin32OwnKeystrokeFilter::FilterOwnKeystrokes(int code,
                                                               WPARAM removal,
                                                               LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (IsKeystroke(message->message)) {
            if (static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kOwnKeystrokeMark) {
                message->message = WM_NULL;
            }
        } else if (ThreadFilter != nullptr && !ThreadFilter->Foreground && !KeysQueued()) {
            ThreadFilter->Remove();
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}
