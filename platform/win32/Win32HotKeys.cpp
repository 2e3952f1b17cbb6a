// Hot-key registration and the window that WM_HOTKEY is posted to.
#include "platform/win32/Win32HotKeys.h"

#include <windows.h>

#include "platform/win32/Win32Window.h"

namespace {

constexpr const char* kClassName = "QuorlHotKeyWindow";

// A windowed control with the desktop as its parent window and no owner of the framework. Its
// system window is made on the first request for the handle; its own entry gives every message
// to DefWindowProcA, and a subclass replaces the entry.
class TWin32HotKeyWindow : public IHotKeyWindow, public TWin32Window {
  public:
    TWin32HotKeyWindow() {
        Proc = [this](TMessage& message) {
            message.Result = DefaultProc(message.Msg, static_cast<WPARAM>(message.WParam),
                                         static_cast<LPARAM>(message.LParam));
        };
    }

    TWindowHandle Handle() override {
        if (Window == nullptr) {
            // A zero-size child of the desktop window, never made visible.
            Create({kClassName}, 0, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, GetDesktopWindow());
        }
        return reinterpret_cast<TWindowHandle>(Window);
    }

    TWindowProc WindowProc() const override { return Proc; }
    void SetWindowProc(TWindowProc windowProc) override { Proc = std::move(windowProc); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The messages of the creation get the default processing, whatever entry is installed.
        if (!Created()) {
            return DefaultProc(message, wParam, lParam);
        }
        TMessage forwarded{message, static_cast<std::uintptr_t>(wParam),
                           static_cast<std::intptr_t>(lParam), 0};
        // A copy: the entry may be replaced while it runs.
        const TWindowProc proc = Proc;
        proc(forwarded);
        return forwarded.Result;
    }

    TWindowProc Proc;
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
