// The modal loop shared by the input box, the key-capture and the message-entry windows.
#include "platform/win32/Win32ModalSession.h"

#include <cassert>

namespace {
void CentreOver(HWND window, HWND owner) {
    RECT area;
    if (owner == nullptr || !GetWindowRect(owner, &area)) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, left < 0 ? 0 : left, top < 0 ? 0 : top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

TWin32ModalSession::TWin32ModalSession(HWND window, HWND owner, HWND focus, bool& showing)
    : Window(window), Owner(owner), Showing(showing) {
    assert(!Showing && "the window is already showing modally");
    Showing = true;
    if (Owner != nullptr) {
        // The owner is part of the showing, so that GetWindow(GW_OWNER) and the stacking
        // follow the main window even when it was created after this window. For a top-level
        // window GWLP_HWNDPARENT sets the owner, not a parent.
        SetWindowLongPtrA(Window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Owner));
        // EnableWindow returns whether the window was disabled before: a window that was
        // already disabled (by another modal window) stays so afterwards.
        OwnerWasEnabled = !EnableWindow(Owner, FALSE);
    }
    CentreOver(Window, Owner);
    ShowWindow(Window, SW_SHOW);
    // Under Wine, a newly shown window takes the foreground only when asked: keys typed go to
    // the foreground window's focus.
    SetForegroundWindow(Window);
    SetActiveWindow(Window);
    SetFocus(focus);
}

TWin32ModalSession::~TWin32ModalSession() {
    const bool wasActive = GetActiveWindow() == Window;
    // Enabled before the window hides, so that the system can activate the owner next
    // instead of some other application's window.
    if (OwnerWasEnabled) {
        EnableWindow(Owner, TRUE);
    }
    ShowWindow(Window, SW_HIDE);
    if (Owner != nullptr && wasActive) {
        SetForegroundWindow(Owner);
        SetActiveWindow(Owner);
    }
    Showing = false;
}

TModalResult TWin32ModalSession::Run(const TModalResult& result, bool dialogKeys) {
    MSG message;
    while (result == TModalResult::None) {
        // GetMessageA returns -1 only for an invalid window filter, and we filter none.
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return TModalResult::Cancel;
        }
        // IsDialogMessageA handles only messages for the window and its children; the rest,
        // timer ticks and the keyboard watch's reports included, are dispatched as usual.
        if (dialogKeys && IsDialogMessageA(Window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return result;
}
