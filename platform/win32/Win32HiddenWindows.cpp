// Message-only windows: never shown, out of reach of broadcasts, they only receive messages.
#include "platform/win32/Win32HiddenWindows.h"

#include <windows.h>

#include <string>

#include "platform/Exception.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32SystemText.h"

namespace {

constexpr const char* kClassName = "QuorlHiddenWindow";

class TWin32HiddenWindow : public IHiddenWindow {
  public:
    explicit TWin32HiddenWindow(TWindowProc windowProc) : Proc(std::move(windowProc)) {
        RegisterWindowClass();
        // A message-only window (HWND_MESSAGE as its parent): it is never shown, never
        // enumerated, and no broadcast (HWND_BROADCAST, SendMessageTimeout to all top-level
        // windows) reaches it, so no other program can pass a made-up keystroke report to it.
        // Messages posted or sent to its handle arrive as to any window.
        Window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), this);
        if (Window == nullptr) {
            throw Exception("CreateWindowExA: hidden window: " + SystemErrorText(GetLastError()));
        }
        Created = true;
    }

    ~TWin32HiddenWindow() override {
        // The messages of the destruction itself get the default processing only: the owner
        // is being destroyed too.
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
        DestroyWindow(Window);
    }

    TWindowHandle Handle() const override { return reinterpret_cast<TWindowHandle>(Window); }

    std::intptr_t DefaultProcessing(const TMessage& message) override {
        return DefWindowProcA(Window, message.Msg, static_cast<WPARAM>(message.WParam),
                              static_cast<LPARAM>(message.LParam));
    }

  private:
    static void RegisterWindowClass() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TWin32HiddenWindow::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self =
            reinterpret_cast<TWin32HiddenWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        // The messages of the creation itself get the default processing: the window's owner
        // has no handle to it yet.
        if (self == nullptr || !self->Created) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        TMessage forwarded{message, static_cast<std::uintptr_t>(wParam),
                           static_cast<std::intptr_t>(lParam), 0};
        RunGuarded([&] { self->Proc(forwarded); });
        return forwarded.Result;
    }

    TWindowProc Proc;
    HWND Window = nullptr;
    bool Created = false;
};

}  // namespace

std::unique_ptr<IHiddenWindow> TWin32HiddenWindows::CreateHiddenWindow(TWindowProc windowProc) {
    return std::make_unique<TWin32HiddenWindow>(std::move(windowProc));
}
