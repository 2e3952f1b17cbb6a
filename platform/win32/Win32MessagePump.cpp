// One pass of the user-interface thread's queue: everything waiting, then return.
#include "platform/win32/Win32MessagePump.h"

#include <windows.h>

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
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
