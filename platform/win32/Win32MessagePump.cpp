// One pass of the user-interface thread's queue: everything waiting, then return.
#include "platform/win32/Win32MessagePump.h"

void TWin32MessagePump::ProcessMessages() {
    MSG message;
    // PM_REMOVE takes sent, posted, input, paint and timer messages in the system's order;
    // the loop ends as soon as the queue is empty, never waiting for a new message.
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Only marks the application for ending; a send in progress runs to its end.
            QuitSeen = true;
            continue;
        }
        Dispatch(message);
    }
}

// IsDialogMessageA takes only the messages of the window and its children, and translates and
// dispatches them itself: Tab and Shift+Tab move the focus, Enter and Esc become the commands
// IDOK and IDCANCEL, every other key reaches the focused control. The keyboard hook has seen
// each key before it was queued, so nothing here keeps a key from the keyboard watch.
void TWin32MessagePump::Dispatch(MSG& message) const {
    HWND dialog = DialogWindow ? DialogWindow() : nullptr;
    if (dialog != nullptr && IsDialogMessageA(dialog, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}
