// Two copies would each take the other's typed messages for the driver's keys and answer them,
// and every trigger key would be acted on twice: only the first copy of a session runs.
#include "platform/win32/Win32SingleInstance.h"

#include "platform/win32/MainWindowIds.h"

namespace {

// "Local\" is the namespace of the user's session: another user logged on to the same machine
// (fast user switching, a terminal server) runs a copy of their own.
constexpr const wchar_t* kMutexName = L"Local\\QuorlPitTimer.OneCopy";
// A first copy that is still starting holds the mutex before its window exists.
constexpr DWORD kWindowWaitMs = 1000;
constexpr DWORD kWindowPollMs = 50;

}  // namespace

// CreateMutexW opens the existing mutex and sets ERROR_ALREADY_EXISTS when another copy made
// it; it fails with ERROR_ACCESS_DENIED when a copy running under other rights (elevated) made
// it. Any other failure is no sign of another copy, and the program runs.
TWin32SingleInstance::TWin32SingleInstance() {
    Mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    AnotherCopy = Mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

// The mutex goes with the last handle to it: when the first copy ends, the next start runs.
TWin32SingleInstance::~TWin32SingleInstance() {
    if (Mutex != nullptr) {
        CloseHandle(Mutex);
    }
}

// The main window is known by its class and caption together. SetForegroundWindow works for
// this process, which the user has just started and which may therefore set the foreground;
// Windows refuses it otherwise (and Wine without a window manager may), and the window then
// only comes up in the z-order, which is all that can be done.
void TWin32SingleInstance::BringOtherCopyToFront() const {
    HWND window = nullptr;
    for (DWORD waited = 0;; waited += kWindowPollMs) {
        window = FindWindowA(kMainWindowClassName, kMainWindowCaption);
        if (window != nullptr || waited >= kWindowWaitMs) {
            break;
        }
        Sleep(kWindowPollMs);
    }
    if (window == nullptr) {
        return;
    }
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    SetForegroundWindow(window);
}
