// The last stop of an exception thrown inside a window procedure.
#include "platform/win32/Win32CallbackGuard.h"

#include <windows.h>

#include <string>

namespace {

std::function<void(const std::exception&)>& Handler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}

std::string ApplicationTitle() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string title(path, length);
    title = title.substr(title.find_last_of("\\/") + 1);
    return title.substr(0, title.find_last_of('.'));
}

}  // namespace

void SetCallbackExceptionHandler(std::function<void(const std::exception&)> handler) {
    Handler() = std::move(handler);
}

// Unwinding through user32's frames back into DispatchMessage is not defined behaviour, so
// every trampoline stops the exception and reports it here instead.
void ReportCallbackException(const std::exception& error) noexcept {
    try {
        if (Handler()) {
            Handler()(error);
            return;
        }
        MessageBoxA(nullptr, error.what(), ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
    } catch (const std::exception& reportError) {
        // The report itself failed (no memory for the title): the box gets the bare text.
        MessageBoxA(nullptr, reportError.what(), nullptr, MB_OK | MB_ICONERROR);
    }
}
