// The low-level keyboard hook: a thread of its own that installs it, runs its message loop and
// watches that it is still in, and the hook procedure that posts one report per key event.
#include "keyhook/KeyboardHook.h"

#include <atomic>

#include "keyhook/HookChainGuard.h"
#include "keyhook/HookWatchdog.h"
#include "keyhook/KeyFlags.h"
#include "platform/KeyReport.h"

namespace keyhook {
namespace {

// Read by the hook procedure on the hook thread, written by Start and Stop on the caller's
// thread; atomics, because the procedure may take no lock.
std::atomic<HWND> reportWindow{nullptr};
std::atomic<UINT> reportMessage{0};
std::atomic<DWORD> lostReports{0};
std::atomic<DWORD> reinstalls{0};
// The hook the hook thread has in, for the test build's removal; written by the hook thread.
std::atomic<HHOOK> installedHook{nullptr};
// Read by the hook thread when it starts; only the test build shortens it.
std::atomic<DWORD> reinstallPeriodMs{THookWatchdog::kReinstallPeriodMs};
// The test build's reinstall on demand: the hook thread's next timer tick waits this long
// before it puts its hook in again, and sets `reinstallPausing` as it begins.
std::atomic<DWORD> reinstallPauseMs{0};
std::atomic<bool> reinstallPausing{false};

// Touched only by the hook thread (and by Start before that thread exists): the hook procedure
// and the watchdog's timer both run there, from its message loop.
TKeyFlagsBuilder flagsBuilder;
THookChainGuard chainGuard;
// Written only by the hook thread; atomic so that the test build may read the count.
std::atomic<std::uint32_t> eventsSeen{0};

// How often the hook thread checks that its hook is still in and that the keys held down are.
constexpr UINT kWatchPeriodMs = 250;
// How long Stop waits for the hook thread, which ends within a timer tick when it can.
constexpr DWORD kStopWaitMs = 2000;

// Owned by the thread that calls Start and Stop. The event ends the hook thread: unlike a
// posted WM_QUIT it cannot be refused by a full message queue, nor sent by another program.
HANDLE hookThread = nullptr;
DWORD hookThreadId = 0;
HANDLE stopEvent = nullptr;

struct TThreadStart {
    HANDLE Ready;  // set once the hook is installed, or has failed
    bool Installed;
};

TLowLevelEventId IdOf(LPARAM lParam) noexcept {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    return {event->vkCode, event->scanCode, event->flags, event->time, event->dwExtraInfo};
}

// False for an event that this thread is passing down the hook chain already: it has come round
// again to the second of two hooks (see Reinstall). Counts every call for the watchdog.
bool FirstSight(LPARAM lParam) noexcept {
    eventsSeen.fetch_add(1, std::memory_order_relaxed);
    return !chainGuard.IsPassingOn(IdOf(lParam));
}

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code != HC_ACTION) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    const THookChainGuard::TPassingOn passing(chainGuard, IdOf(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A low-level hook is never loaded into another process, so the system needs no module for it;
// but Wine (and perhaps Windows) looks up the module's file name first, in a buffer of
// MAX_PATH, and refuses the hook when keyhook.dll lies deeper than that. Without the module the
// same hook goes in.
HHOOK Install(HMODULE module) noexcept {
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &LowLevelKeyboardProc, module, 0);
    if (hook == nullptr && module != nullptr) {
        hook = SetWindowsHookExA(WH_KEYBOARD_LL, &LowLevelKeyboardProc, nullptr, 0);
    }
    return hook;
}

// The new hook goes in before the old one comes out, so that no key passes with neither in;
// a key that reaches both meanwhile is reported once (FirstSight). Key events that the system
// handed to the old hook before the new one was in wait in this thread's queue as sent
// messages; PeekMessage with PM_QS_SENDMESSAGE runs them while the old hook is still in (once
// it is out they would be dropped unreported). UnhookWindowsHookEx fails when Windows has
// removed the hook already, the very case this is for. A refused install keeps the old hook
// and the watchdog tries again later.
HHOOK Reinstall(HHOOK old, HMODULE module) noexcept {
    HHOOK fresh = Install(module);
    if (fresh == nullptr) {
        return old;
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    UnhookWindowsHookEx(old);
    installedHook.store(fresh);
    reinstalls.fetch_add(1, std::memory_order_relaxed);
    return fresh;
}

THookSample Sample() noexcept {
    LASTINPUTINFO lastInput{sizeof(LASTINPUTINFO), 0};
    // GetLastInputInfo fails only on a wrong cbSize; its time then stays 0, which looks like no
    // input at all and never raises an alarm.
    GetLastInputInfo(&lastInput);
    return {GetTickCount(), lastInput.dwTime, eventsSeen.load(std::memory_order_relaxed)};
}

// The watchdog's tick: forgets keys released out of the hook's sight and puts the hook back
// when it seems lost or its period has come. The test build may ask for a reinstall after a
// pause, during which key events reach the old hook.
void OnWatchTimer(THookWatchdog& watchdog, HHOOK& hook, HMODULE module) noexcept {
    flagsBuilder.ForgetReleasedKeys([](int virtualKey) { return GetAsyncKeyState(virtualKey); });
    const DWORD pauseMs = reinstallPauseMs.exchange(0);
    if (pauseMs != 0) {
        reinstallPausing.store(true);
        Sleep(pauseMs);
        hook = Reinstall(hook, module);
    } else if (watchdog.Check(Sample())) {
        hook = Reinstall(hook, module);
    }
}

// The hook thread. Windows calls a WH_KEYBOARD_LL procedure on the thread that installed it,
// from that thread's message loop, and removes the hook without a word when the procedure
// overruns LowLevelHooksTimeout; so this thread does nothing else and the user-interface
// thread's modal loops and key sending never delay the desktop's keyboard. It runs at
// time-critical priority so that a simulation that keeps every core busy cannot starve it past
// that timeout; it only classifies, posts and checks, a few microseconds a key. A refused
// priority leaves it at normal priority, where it still works. Its thread timer checks that
// the hook is still in (THookWatchdog), puts it back on the watchdog's period whatever the
// input, and forgets keys released out of its sight.
DWORD WINAPI HookThreadMain(void* parameter) {
    auto* start = static_cast<TThreadStart*>(parameter);
    MSG message;
    // Makes the thread's message queue before the hook goes in.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&LowLevelKeyboardProc), &module);
    HHOOK hook = Install(module);
    installedHook.store(hook);
    // Read before Start returns, so that the period in force at Start is the one this hook
    // thread keeps, whatever is set after it.
    const DWORD periodMs = reinstallPeriodMs.load();
    start->Installed = hook != nullptr;
    SetEvent(start->Ready);  // `start` belongs to Start and is gone after this
    if (hook == nullptr) {
        return 1;
    }
    // A thread timer (no window): its WM_TIMER comes with a null hwnd. Without it the hook
    // still reports, unwatched.
    const UINT_PTR timer = SetTimer(nullptr, 0, kWatchPeriodMs, nullptr);
    THookWatchdog watchdog(Sample(), periodMs);
    // The system calls the hook procedure through a message it sends to this thread, which
    // MsgWaitForMultipleObjectsEx does not handle: with QS_ALLINPUT it returns for it, and
    // PeekMessageA runs it. MWMO_INPUTAVAILABLE returns for messages that were in the queue
    // already. The thread owns no window and dispatches nothing it is posted, so no posted
    // message of another program (a WM_QUIT, a WM_TIMER naming a procedure) makes it act or end;
    // only Stop's event ends it.
    const HANDLE stop = stopEvent;
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) {
            break;  // the stop event, or a wait that failed and would fail again at once
        }
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == nullptr && message.message == WM_TIMER && message.wParam == timer) {
                OnWatchTimer(watchdog, hook, module);
            }
        }
    }
    if (timer != 0) {
        KillTimer(nullptr, timer);
    }
    installedHook.store(nullptr);
    UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace

// Caps Lock's toggle starts from the calling thread's key state (GetKeyState), the only place
// the system tells a toggle. The caller is the program's user-interface thread, as its window
// is first shown: that thread has taken no key message yet, so its state is still the desktop's
// as its message queue was made a moment before; later it would be right only while its window
// has the focus. The hook thread could not ask: it takes no key messages, and the system's
// current state (GetAsyncKeyState) holds no toggle. From here each press the hook sees flips it.
void BeginReports(HWND window, UINT message) noexcept {
    flagsBuilder.Clear();
    flagsBuilder.SetCapsLock((GetKeyState(VK_CAPITAL) & 1) != 0);
    reportMessage.store(message);
    reportWindow.store(window);
}

void EndReports() noexcept {
    reportWindow.store(nullptr);
}

DWORD LostReports() noexcept {
    return lostReports.load();
}

DWORD Reinstalls() noexcept {
    return reinstalls.load();
}

HHOOK InstalledHook() noexcept {
    return installedHook.load();
}

void SetReinstallPeriod(DWORD periodMs) noexcept {
    reinstallPeriodMs.store(periodMs != 0 ? periodMs : THookWatchdog::kReinstallPeriodMs);
}

DWORD HookThreadId() noexcept {
    return hookThreadId;
}

DWORD HookProcedureCalls() noexcept {
    return eventsSeen.load(std::memory_order_relaxed);
}

bool PauseAReinstall(DWORD pauseMs) noexcept {
    reinstallPausing.store(false);
    reinstallPauseMs.store(pauseMs);
    for (DWORD waited = 0; waited < kStopWaitMs; waited += 10) {
        if (reinstallPausing.load()) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

// No allocation, lock, logging or exception here: the system waits for this procedure before
// any window sees the key. PostMessageA never waits for the receiver (SendMessage would tie the
// desktop's keyboard to the user-interface thread). A posted-message queue holds at most
// 10,000 messages by default (USERPostMessageLimit): a refused post is counted, and the key
// still goes on to the next hook. The hook sees every key event of the desktop in order, so
// the report carries the desktop's Shift, Ctrl, Alt and Caps Lock state after this one.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && FirstSight(lParam)) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const std::uint32_t flags = flagsBuilder.Flags(
            {event->vkCode, event->scanCode, (event->flags & LLKHF_EXTENDED) != 0,
             (event->flags & LLKHF_ALTDOWN) != 0, (event->flags & LLKHF_UP) != 0});
        const WPARAM report = ReportWParam(event->vkCode, (event->flags & LLKHF_INJECTED) != 0,
                                           flagsBuilder.KeyState());
        const HWND window = reportWindow.load(std::memory_order_acquire);
        if (window != nullptr &&
            !PostMessageA(window, reportMessage.load(std::memory_order_relaxed), report,
                          static_cast<LPARAM>(flags))) {
            lostReports.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return PassOn(code, wParam, lParam);
}

bool Start(HWND window, UINT message) noexcept {
    if (hookThread != nullptr) {
        return false;
    }
    TThreadStart start{CreateEventA(nullptr, TRUE, FALSE, nullptr), false};
    if (start.Ready == nullptr) {
        return false;
    }
    stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (stopEvent == nullptr) {
        CloseHandle(start.Ready);
        return false;
    }
    // Reports may begin the moment the hook is in, so the target is set first.
    BeginReports(window, message);
    // CreateThread, not std::thread: the win32-thread variant of mingw-w64 has none, and the
    // thread runs no C++ runtime code that would need more.
    HANDLE thread = CreateThread(nullptr, 0, &HookThreadMain, &start, 0, &hookThreadId);
    if (thread != nullptr) {
        WaitForSingleObject(start.Ready, INFINITE);
    }
    CloseHandle(start.Ready);
    if (thread == nullptr || !start.Installed) {
        EndReports();
        if (thread != nullptr) {
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
        CloseHandle(stopEvent);
        stopEvent = nullptr;
        hookThreadId = 0;
        return false;
    }
    hookThread = thread;
    return true;
}

// Once the hook thread has ended, its hook procedure can no longer run, so nothing is posted
// after this returns true. A thread that does not end within the bound (stuck in a call into
// the system) keeps its handles, and every later Stop waits for it again; its procedure posts
// nothing meanwhile (EndReports), and the library must stay loaded while it runs.
bool Stop() noexcept {
    EndReports();
    if (hookThread == nullptr) {
        return true;
    }
    SetEvent(stopEvent);
    if (WaitForSingleObject(hookThread, kStopWaitMs) != WAIT_OBJECT_0) {
        return false;
    }
    CloseHandle(hookThread);
    CloseHandle(stopEvent);
    hookThread = nullptr;
    stopEvent = nullptr;
    hookThreadId = 0;
    return true;
}

}  // namespace keyhook
