// The base of our window classes: registration, creation, and the guarded window procedure.
#pragma once

#include <windows.h>

#include <exception>

// The parts of a window class that differ between our windows; the procedure is the base's.
struct TWin32WindowClass {
    const char* Name;
    // DefDlgProcA, with the DLGWINDOWEXTRA bytes it keeps its state in, instead of DefWindowProcA.
    bool Dialog = false;
    HBRUSH Background = nullptr;
    HCURSOR Cursor = nullptr;
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
};

class TWin32Window {
  public:
    TWin32Window(const TWin32Window&) = delete;
    TWin32Window& operator=(const TWin32Window&) = delete;

  protected:
    TWin32Window() = default;
    virtual ~TWin32Window() { Destroy(); }

    // Registers the class (once per process) and creates the window, with CreateWindowExA's
    // arguments. Throws Exception "Create window: <caption or class>: <system text>", or what
    // the handler of WM_NCCREATE or WM_CREATE threw.
    void Create(const TWin32WindowClass& windowClass,
                DWORD exStyle,
                const char* caption,
                DWORD style,
                int x,
                int y,
                int width,
                int height,
                HWND parent);
    // Destroys the window without running the handler; a derived class calls it first in its
    // destructor when its members must outlive the window.
    void Destroy() noexcept;

    // The window's own message switch; what it throws is reported, never passed on.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // CreateWindowExA has returned the window: its creation messages are over.
    bool Created() const { return Window != nullptr && !Creating; }
    // WM_NCCREATE or WM_CREATE threw, and the window is being (or has been) destroyed.
    bool CreationFailed() const { return CreationError != nullptr; }

    // Set from the first message on, before CreateWindowExA returns; null after WM_NCDESTROY.
    HWND Window = nullptr;

  private:
    template <bool kDialog>
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool Dialog = false;
    bool Creating = false;
    std::exception_ptr CreationError;
};
