// Finds the C++ object behind one of our windows, for the static window procedures.
#pragma once

#include <windows.h>

// The object given as CreateWindowExA's last argument: stored in the window's user data at
// WM_NCCREATE, the first message a window receives, and read back for every later message.
// Null for the few messages before it, and after the owner has cleared the user data.
template <class TWindowObject>
TWindowObject* WindowObjectOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    return reinterpret_cast<TWindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
