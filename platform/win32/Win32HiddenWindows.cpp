// Message-only windows: never shown, out of reach of broadcasts, they only receive messages.
#include "platform/win32/Win32HiddenWindows.h"

#include <windows.h>

#include "platform/win32/Win32Window.h"

namespace {

constexpr const char* kClassName = "QuorlHiddenWindow";

class TWin32HiddenWindow : public IHiddenWindow, public TWin32Window {
  public:
    explicit TWin32HiddenWindow(TWindowProc windowProc) : Proc(std::move(windowProc)) {
        // A message-only window (HWND_MESSAGE as its parent): it is never shown, never
        // enumerated, and no broadcast (HWND_BROADCAST, SendMessageTimeout to all top-level
        // windows) reaches it, so no other program can pass a made-up keystroke report to it.
        // Messages posted or sent to its handle arrive as to any window.
        Create({kClassName}, 0, "", 0, 0, 0, 0, 0, HWND_MESSAGE);
    }

    TWindowHandle Handle() const override { return reinterpret_cast<TWindowHandle>(Window); }

    std::intptr_t DefaultProcessing(const TMessage& message) override {
        return DefaultProc(message.Msg, static_cast<WPARAM>(message.WParam),
                           static_cast<LPARAM>(message.LParam));
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        // The messages of the creation itself get the default processing: the window's owner
        // has no handle to it yet.
        if (!Created()) {
            return DefaultProc(message, wParam, lParam);
        }
        TMessage forwarded{message, static_cast<std::uintptr_t>(wParam),
                           static_cast<std::intptr_t>(lParam), 0};
        Proc(forwarded);
        return forwarded.Result;
    }

    TWindowProc Proc;
};

}  // namespace

std::unique_ptr<IHiddenWindow> TWin32HiddenWindows::CreateHiddenWindow(TWindowProc windowProc) {
    return std::make_unique<TWin32HiddenWindow>(std::move(windowProc));
}
