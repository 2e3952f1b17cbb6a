// The last stop of an exception thrown inside a window procedure.
#include "platform/win32/Win32CallbackGuard.h"

#include <windows.h>

#include <string>

#include "platform/Exception.h"
#include "platform/ExecutablePath.h"
#include "platform/win32/Win32Text.h"

namespace {

std::function<void(const std::exception&)>& Handler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}

std::string ApplicationTitle() {
    std::string title = ExecutableFullPath();
    title = title.substr(title.find_last_of("\\/") + 1);
    return title.substr(0, title.find_last_of('.'));
}

}  // namespace

void SetCallbackExceptionHandler(std::function<void(const std::exception&)> handler) {
    Handler() = std::move(handler);
}

// Unwinding through user32's frames back into DispatchMessage is not defined behaviour, so
// every trampoline stops the exception and reports it here instead. Before the application has
// installed its handler (or if it failed) the box is shown here; when even the texts cannot be
// made, the bare bytes go to MessageBoxA, which needs no memory of ours.
void ReportCallbackException(const std::exception& error) noexcept {
    try {
        if (Handler()) {
            Handler()(error);
            return;
        }
        const std::wstring text = WideFromMessage(error.what());
        const std::wstring caption = WideFromMessage(ApplicationTitle());
        if (MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR) != 0) {
            return;
        }
    } catch (...) {
        // Whatever the report itself threw, the error still reaches the box below, which
        // needs no allocation.
    }
    MessageBoxA(nullptr, error.what(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ReportUnknownCallbackException() noexcept {
    ReportCallbackException(EUnknownException());
}
