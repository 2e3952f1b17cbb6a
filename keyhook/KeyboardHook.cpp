// The low-level keyboard hook: a thread of its own that installs it and runs only its message
// loop, and the hook procedure that posts one report per key event.
#include "keyhook/KeyboardHook.h"

#include <atomic>

#include "keyhook/KeyFlags.h"
#include "keyhook/KeyReport.h"

namespace keyhook {
namespace {

// Read by the hook procedure on the hook thread, written by Start and Stop on the caller's
// thread; atomics, because the procedure may take no lock.
std::atomic<HWND> reportWindow{nullptr};
std::atomic<UINT> reportMessage{0};
std::atomic<DWORD> lostReports{0};

// Touched only by the hook thread (and by Start before that thread exists).
TKeyFlagsBuilder flagsBuilder;

// Owned by the thread that calls Start and Stop.
HANDLE hookThread = nullptr;
DWORD hookThreadId = 0;

struct TThreadStart {
    HANDLE Ready;  // set once the hook is installed, or has failed
    bool Installed;
};

// The hook thread. Windows calls a WH_KEYBOARD_LL procedure on the thread that installed it,
// from that thread's message loop, and removes the hook without a word when the procedure
// overruns LowLevelHooksTimeout; so this thread does nothing else and the user-interface
// thread's modal loops and key sending never delay the desktop's keyboard.
DWORD WINAPI HookThreadMain(void* parameter) {
    auto* start = static_cast<TThreadStart*>(parameter);
    MSG message;
    // Makes the thread's message queue, so that Stop's WM_QUIT can reach it.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&LowLevelKeyboardProc), &module);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &LowLevelKeyboardProc, module, 0);
    start->Installed = hook != nullptr;
    SetEvent(start->Ready);  // `start` belongs to Start and is gone after this
    if (hook == nullptr) {
        return 1;
    }
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

void BeginReports(HWND window, UINT message) noexcept {
    flagsBuilder.Clear();
    reportMessage.store(message);
    reportWindow.store(window);
}

void EndReports() noexcept {
    reportWindow.store(nullptr);
}

DWORD LostReports() noexcept {
    return lostReports.load();
}

// No allocation, lock, logging or exception here: the system waits for this procedure before
// any window sees the key. PostMessageA never waits for the receiver (SendMessage would tie the
// desktop's keyboard to the user-interface thread). A posted-message queue holds at most
// 10,000 messages by default (USERPostMessageLimit): a refused post is counted, and the key
// still goes on to the next hook.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const std::uint32_t flags = flagsBuilder.Flags(
            {event->vkCode, event->scanCode, (event->flags & LLKHF_EXTENDED) != 0,
             (event->flags & LLKHF_ALTDOWN) != 0, (event->flags & LLKHF_UP) != 0});
        const WPARAM report = ReportWParam(event->vkCode, (event->flags & LLKHF_INJECTED) != 0);
        const HWND window = reportWindow.load(std::memory_order_acquire);
        if (window != nullptr &&
            !PostMessageA(window, reportMessage.load(std::memory_order_relaxed), report,
                          static_cast<LPARAM>(flags))) {
            lostReports.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Start(HWND window, UINT message) noexcept {
    if (hookThread != nullptr) {
        return false;
    }
    TThreadStart start{CreateEventA(nullptr, TRUE, FALSE, nullptr), false};
    if (start.Ready == nullptr) {
        return false;
    }
    // Reports may begin the moment the hook is in, so the target is set first.
    BeginReports(window, message);
    // CreateThread, not std::thread: the win32-thread variant of mingw-w64 has none, and the
    // thread runs no C++ runtime code that would need more.
    HANDLE thread = CreateThread(nullptr, 0, &HookThreadMain, &start, 0, &hookThreadId);
    if (thread == nullptr) {
        EndReports();
        CloseHandle(start.Ready);
        return false;
    }
    WaitForSingleObject(start.Ready, INFINITE);
    CloseHandle(start.Ready);
    if (!start.Installed) {
        EndReports();
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        return false;
    }
    hookThread = thread;
    return true;
}

// Once the hook thread has ended, its hook procedure can no longer run, so nothing is posted
// after this returns.
void Stop() noexcept {
    EndReports();
    if (hookThread == nullptr) {
        return;
    }
    PostThreadMessageA(hookThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(hookThread, INFINITE);
    CloseHandle(hookThread);
    hookThread = nullptr;
    hookThreadId = 0;
}

}  // namespace keyhook
