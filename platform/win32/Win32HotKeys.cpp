// Hot-key registration and the window that WM_HOTKEY is posted to.
#include "platform/win32/Win32HotKeys.h"

#include <windows.h>

#include "platform/Exception.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32SystemText.h"

namespace {

constexpr const char* kClassName = "QuorlHotKeyWindow";

// A windowed control with the desktop as its parent window and no owner of the framework. Its
// system window is made on the first request for the handle; its own entry gives every message
// to DefWindowProcA, and a subclass replaces the entry.
class TWin32HotKeyWindow : public IHotKeyWindow {
  public:
    TWin32HotKeyWindow() {
        Proc = [this](TMessage& message) {
            message.Result =
                DefWindowProcA(Window, message.Msg, static_cast<WPARAM>(message.WParam),
                               static_cast<LPARAM>(message.LParam));
        };
    }

    ~TWin32HotKeyWindow() override {
        if (Window != nullptr) {
            SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
            DestroyWindow(Window);
        }
    }

    TWindowHandle Handle() override {
        if (Window == nullptr) {
            Create();
        }
        return reinterpret_cast<TWindowHandle>(Window);
    }

    TWindowProc WindowProc() const override { return Proc; }
    void SetWindowProc(TWindowProc windowProc) override { Proc = std::move(windowProc); }

  private:
    void Create() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TWin32HotKeyWindow::Trampoline;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        // A zero-size child of the desktop window, never made visible.
        HWND window =
            CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                            GetDesktopWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (window == nullptr) {
            throw Exception("CreateWindowExA: hot-key window: " + SystemErrorText(GetLastError()));
        }
        Window = window;
        SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self =
            reinterpret_cast<TWin32HotKeyWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        TMessage forwarded{message, static_cast<std::uintptr_t>(wParam),
                           static_cast<std::intptr_t>(lParam), 0};
        RunGuarded([&] {
            // A copy: the entry may be replaced while it runs.
            const TWindowProc proc = self->Proc;
            proc(forwarded);
        });
        return forwarded.Result;
    }

    TWindowProc Proc;
    HWND Window = nullptr;
};

}  // namespace

std::unique_ptr<IHotKeyWindow> TWin32HotKeys::CreateHotKeyWindow() {
    return std::make_unique<TWin32HotKeyWindow>();
}

// RegisterHotKey fails with ERROR_HOTKEY_ALREADY_REGISTERED when any thread of the desktop
// holds the combination already.
bool TWin32HotKeys::RegisterHotKey(TWindowHandle window,
                                   std::int32_t id,
                                   std::uint32_t modifiers,
                                   std::uint32_t virtualKey) {
    return ::RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, virtualKey) != FALSE;
}

bool TWin32HotKeys::UnregisterHotKey(TWindowHandle window, std::int32_t id) {
    return ::UnregisterHotKey(reinterpret_cast<HWND>(window), id) != FALSE;
}
