// Two copies would each take the other's typed messages for the driver's keys and answer them,
// and every trigger key would be acted on twice: only one copy of a session runs.
#include "platform/win32/Win32SingleInstance.h"

#include "platform/win32/MainWindowIds.h"

namespace {

// "Local\" is the namespace of the user's session: another user logged on to the same machine
// (fast user switching, a terminal server) runs a copy of their own.
constexpr const wchar_t* kMutexName = L"Local\\QuorlPitTimer.OneCopy";

}  // namespace

TWin32SingleInstance::TWin32SingleInstance() {
    TakeLock();
}

// The system hands over an abandoned mutex all the same if this process dies.
TWin32SingleInstance::~TWin32SingleInstance() {
    ReleaseLock();
    if (Mutex != nullptr) {
        CloseHandle(Mutex);
    }
    if (OtherProcess != nullptr) {
        CloseHandle(OtherProcess);
    }
}

// Released before the handle goes, so that a start waiting for it takes it at once. ReleaseMutex
// works only on the thread that owns the mutex: the one that took it, which also ends the run.
void TWin32SingleInstance::ReleaseLock() {
    if (Owned) {
        ReleaseMutex(Mutex);
        Owned = false;
    }
}

// CreateMutexW with initial ownership takes the mutex when it creates it; it opens an existing
// one without taking it (ERROR_ALREADY_EXISTS), and WaitForSingleObject with no wait then takes
// it once its owner has released it or ended (WAIT_ABANDONED). It fails with
// ERROR_ACCESS_DENIED when a copy with more rights (elevated) made it: that copy runs, and
// later calls try again until it has gone. Any other failure is no sign of another copy.
bool TWin32SingleInstance::TakeLock() {
    if (Owned || NoLock) {
        return true;
    }
    if (Mutex == nullptr) {
        Mutex = CreateMutexW(nullptr, TRUE, kMutexName);
        const DWORD error = GetLastError();
        if (Mutex == nullptr) {
            NoLock = error != ERROR_ACCESS_DENIED;
            return NoLock;
        }
        if (error != ERROR_ALREADY_EXISTS) {
            Owned = true;
            return true;
        }
    }
    const DWORD waited = WaitForSingleObject(Mutex, 0);
    Owned = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return Owned;
}

// The main window is known by its class and caption together. FindWindowExA finds hidden
// windows too: a copy that is starting creates its window hidden, and one that is closing hides
// it while it saves its settings; neither counts until it shows, and a shown one may come after
// a hidden one in the z-order. A minimised window is still a shown one (WS_VISIBLE).
TWindowHandle TWin32SingleInstance::FindOtherWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kMainWindowClassName, kMainWindowCaption)) !=
           nullptr) {
        if (IsWindowVisible(window)) {
            return reinterpret_cast<TWindowHandle>(window);
        }
    }
    return 0;
}

// The process is opened the first time its window is found and kept open, so it can be asked
// about after the window has gone: a process handle stays valid, and keeps naming that
// process, until it is closed (GetWindowThreadProcessId, OpenProcess with SYNCHRONIZE,
// WaitForSingleObject with no wait: WAIT_TIMEOUT while the process runs). SYNCHRONIZE is the
// least right a wait needs; a process with more rights may still refuse it, and then stays
// unknown.
bool TWin32SingleInstance::OtherProcessRuns() {
    if (OtherProcess == nullptr) {
        HWND window = FindWindowA(kMainWindowClassName, kMainWindowCaption);
        DWORD processId = 0;
        if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0 ||
            processId == 0 || processId == GetCurrentProcessId()) {
            return false;
        }
        OtherProcess = OpenProcess(SYNCHRONIZE, FALSE, processId);
        if (OtherProcess == nullptr) {
            return false;
        }
    }
    return WaitForSingleObject(OtherProcess, 0) == WAIT_TIMEOUT;
}

// SetForegroundWindow works for this process, which the user has just started and which may
// therefore set the foreground; Windows refuses it otherwise (and Wine without a window manager
// may), and the window then only comes up in the z-order, which is all that can be done.
void TWin32SingleInstance::BringToFront(TWindowHandle window) {
    const auto handle = reinterpret_cast<HWND>(window);
    if (IsIconic(handle)) {
        ShowWindow(handle, SW_RESTORE);
    }
    SetForegroundWindow(handle);
}

// Posted: a sent WM_CLOSE would wait for the other copy's close, error box and all.
void TWin32SingleInstance::AskToClose(TWindowHandle window) {
    PostMessageA(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
}

void TWin32SingleInstance::WarningBox(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), "Warning", MB_OK | MB_ICONWARNING);
}

void TWin32SingleInstance::Pause(std::uint32_t ms) {
    Sleep(ms);
}
