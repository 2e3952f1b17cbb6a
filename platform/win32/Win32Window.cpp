// Our windows' one window procedure: it finds the object, guards the call, ends creation on a
// failure, and forgets the window at its last message.
#include "platform/win32/Win32Window.h"

#include <string>

#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32LastError.h"
#include "platform/win32/WindowObject.h"

void TWin32Window::Create(const TWin32WindowClass& windowClass,
                          DWORD exStyle,
                          const char* caption,
                          DWORD style,
                          int x,
                          int y,
                          int width,
                          int height,
                          HWND parent) {
    Dialog = windowClass.Dialog;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA registered{};
    registered.cbSize = sizeof registered;
    registered.lpfnWndProc = Dialog ? &WindowProc<true> : &WindowProc<false>;
    registered.cbWndExtra = Dialog ? DLGWINDOWEXTRA : 0;
    registered.hInstance = instance;
    registered.hIcon = windowClass.Icon;
    registered.hCursor = windowClass.Cursor;
    registered.hbrBackground = windowClass.Background;
    registered.lpszClassName = windowClass.Name;
    registered.hIconSm = windowClass.SmallIcon;
    const std::string what = *caption != '\0' ? caption : windowClass.Name;
    // A class is registered once per process: the second window of a class finds it there.
    if (RegisterClassExA(&registered) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("Create window", what);
    }
    Creating = true;
    HWND window = CreateWindowExA(exStyle, windowClass.Name, caption, style, x, y, width, height,
                                  parent, nullptr, instance, this);
    Creating = false;
    if (CreationError) {
        // WM_CREATE answered -1 (or WM_NCCREATE FALSE), and CreateWindowExA destroyed the window.
        Window = nullptr;
        std::rethrow_exception(CreationError);
    }
    if (window == nullptr) {
        Window = nullptr;
        ThrowLastError("Create window", what);
    }
    Window = window;
}

// The messages of the destruction get the default processing only: the object is going.
void TWin32Window::Destroy() noexcept {
    if (Window != nullptr) {
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
        DestroyWindow(Window);
        Window = nullptr;
    }
}

LRESULT TWin32Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dialog ? DefDlgProcA(Window, message, wParam, lParam)
                  : DefWindowProcA(Window, message, wParam, lParam);
}

template <bool kDialog>
LRESULT CALLBACK TWin32Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowObjectOf<TWin32Window>(window, message, lParam);
    if (self == nullptr) {
        // Before WM_NCCREATE (WM_GETMINMAXINFO comes first), or once the object let go.
        return kDialog ? DefDlgProcA(window, message, wParam, lParam)
                       : DefWindowProcA(window, message, wParam, lParam);
    }
    // CreateWindowExA has not returned yet while the creation messages arrive.
    self->Window = window;
    LRESULT result = 0;
    // Nothing may unwind through the system's frames. A failure while the window is created
    // ends its creation (FALSE from WM_NCCREATE or -1 from WM_CREATE makes CreateWindowExA
    // fail), and Create throws it; any later one is reported, and the message counts as handled.
    if (message == WM_NCCREATE || message == WM_CREATE) {
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            self->CreationError = std::current_exception();
            result = message == WM_CREATE ? -1 : FALSE;
        }
    } else {
        RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->Window = nullptr;
    }
    return result;
}
