// The low-level keyboard hook: a thread of its own that installs it, runs its message loop and
// watches that it is still in, and the hook procedure that posts one report per key event.
#include "keyhook/HookThread.h"

#include "platform/KeyReport.h"

namespace {

// How often, at most, the hook procedure asks the system whether the keys held down still are.
constexpr DWORD kSweepPeriodMs = 250;
// How long Stop waits for the hook thread, which sees its stop at once when it can.
constexpr DWORD kStopWaitMs = 2000;
// Raw input's usage page and usage of a keyboard (HID usage tables: generic desktop, keyboard).
constexpr USHORT kGenericDesktopPage = 1;
constexpr USHORT kKeyboardUsage = 6;

TLowLevelEventId IdOf(LPARAM lParam) noexcept {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    return {event->vkCode, event->scanCode, event->flags, event->time, event->dwExtraInfo};
}

// A low-level hook is never loaded into another process, so the system needs no module for it;
// but Wine (and perhaps Windows) looks up the module's file name first, in a buffer of
// MAX_PATH, and refuses the hook when keyhook.dll lies deeper than that. Without the module the
// same hook goes in.
HHOOK Install(HMODULE module) noexcept {
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &THookThread::Procedure, module, 0);
    if (hook == nullptr && module != nullptr) {
        hook = SetWindowsHookExA(WH_KEYBOARD_LL, &THookThread::Procedure, nullptr, 0);
    }
    return hook;
}

}  // namespace

std::atomic<THookThread*> THookThread::Reporting{nullptr};

struct THookThread::TThreadStart {
    THookThread* Self;
    HANDLE Ready;  // set once the hook is installed, or has failed
    bool Installed;
};

// No Stop here: the shipped library's object goes at DLL_PROCESS_DETACH, under the loader lock,
// where waiting for a thread could hang the process. Its user stops it first (QuorlWait.exe
// does before FreeLibrary); a hook thread that would not stop keeps the library loaded until
// the process ends, and the system has ended that thread before the object goes. Either way
// the hook procedure is let go, so that it never finds an object that is gone.
THookThread::~THookThread() {
    LetGoOfProcedure();
}

void THookThread::LetGoOfProcedure() noexcept {
    THookThread* self = this;
    Reporting.compare_exchange_strong(self, nullptr);
}

// False for an event that this thread is passing down the hook chain already: it has come round
// again to the second of two hooks (see Reinstall). Counts every call for the watchdog.
bool THookThread::FirstSight(LPARAM lParam) noexcept {
    EventsSeen.fetch_add(1, std::memory_order_relaxed);
    return !ChainGuard.IsPassingOn(IdOf(lParam));
}

LRESULT THookThread::PassOn(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code != HC_ACTION) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    const THookChainGuard::TPassingOn passing(ChainGuard, IdOf(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The new hook goes in before the old one comes out, so that no key passes with neither in;
// a key that reaches both meanwhile is reported once (FirstSight). Key events that the system
// handed to the old hook before the new one was in wait in this thread's queue as sent
// messages; PeekMessage with PM_QS_SENDMESSAGE runs them while the old hook is still in (once
// it is out they would be dropped unreported). UnhookWindowsHookEx fails when Windows has
// removed the hook already, the very case this is for. A refused install keeps the old hook
// and the watchdog tries again later.
HHOOK THookThread::Reinstall(HHOOK old, HMODULE module) noexcept {
    HHOOK fresh = Install(module);
    if (fresh == nullptr) {
        return old;
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    UnhookWindowsHookEx(old);
    if (Probe != nullptr) {
        Probe->HookIn(fresh);
    }
    ReinstallCount.fetch_add(1, std::memory_order_relaxed);
    return fresh;
}

THookSample THookThread::Sample() const noexcept {
    return {GetTickCount(), KeyInputs, EventsSeen.load(std::memory_order_relaxed)};
}

// A message-only window of this thread that the system gives every key's raw input
// (RIDEV_INPUTSINK: whichever window has the focus), whether or not the hook is in: the
// watchdog's count of keys, which wakes the thread only when a key comes. The "Message" class
// is the system's own for message-only windows. Null when refused; the period then remains.
HWND THookThread::MakeInputSink() noexcept {
    HWND sink = CreateWindowExA(0, "Message", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                nullptr, nullptr);
    if (sink == nullptr) {
        return nullptr;
    }
    const RAWINPUTDEVICE keyboard{kGenericDesktopPage, kKeyboardUsage, RIDEV_INPUTSINK, sink};
    if (!RegisterRawInputDevices(&keyboard, 1, sizeof keyboard)) {
        DestroyWindow(sink);
        return nullptr;
    }
    return sink;
}

// The raw input goes to this thread only while it is registered: a process has one target.
void THookThread::EndInputSink(HWND sink) noexcept {
    if (sink == nullptr) {
        return;
    }
    const RAWINPUTDEVICE keyboard{kGenericDesktopPage, kKeyboardUsage, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
    DestroyWindow(sink);
}

DWORD WINAPI THookThread::ThreadMain(void* parameter) {
    auto* start = static_cast<TThreadStart*>(parameter);
    return start->Self->Run(*start);
}

// The hook thread. Windows calls a WH_KEYBOARD_LL procedure on the thread that installed it,
// from that thread's message loop, and removes the hook without a word when the procedure
// overruns LowLevelHooksTimeout; so this thread does nothing else and the user-interface
// thread's modal loops and key sending never delay the desktop's keyboard. It runs at
// time-critical priority so that a simulation that keeps every core busy cannot starve it past
// that timeout; it only classifies, posts and checks, a few microseconds a key. A refused
// priority leaves it at normal priority, where it still works.
//
// It wakes for keys only, and for its stop and its reinstall period: each key's raw input is
// the watchdog's sign that a key came (THookWatchdog: a key the hook never heard puts it back),
// and a thread timer on the period puts the hook back whatever the input. An idle desktop does
// not wake it in between.
DWORD THookThread::Run(TThreadStart& start) noexcept {
    MSG message;
    // Makes the thread's message queue before the hook goes in.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&THookThread::Procedure), &module);
    HHOOK hook = Install(module);
    if (hook != nullptr && Probe != nullptr) {
        Probe->HookIn(hook);
    }
    start.Installed = hook != nullptr;
    SetEvent(start.Ready);  // `start` belongs to Start and is gone after this
    if (hook == nullptr) {
        return 1;
    }
    const HWND inputSink = MakeInputSink();
    // A thread timer (no window): its WM_TIMER comes with a null hwnd. Set again at every
    // install, so that the period counts from the last one.
    UINT_PTR period = SetTimer(nullptr, 0, Options.ReinstallPeriodMs, nullptr);
    THookWatchdog watchdog(Sample(), Options.ReinstallPeriodMs);
    // The system calls the hook procedure through a message it sends to this thread, which
    // MsgWaitForMultipleObjectsEx does not handle: with QS_ALLINPUT it returns for it, and
    // PeekMessageA runs it. MWMO_INPUTAVAILABLE returns for messages that were in the queue
    // already. The thread dispatches only its own raw input, so no posted message of another
    // program (a WM_QUIT, a WM_TIMER naming a procedure) makes it act or end; only Stop's event
    // ends it (a test build's probe may post to wake it).
    // Any program may post to any thread, and a steady stream would keep the queue from ever
    // running dry: the stop event is looked at again after each message taken, not only when
    // the queue is empty, so that Stop's bound holds whatever the traffic.
    const HANDLE stop = StopEvent;
    bool stopping = false;
    while (!stopping) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &stop, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) {
            break;  // the stop event, or a wait that failed and would fail again at once
        }
        while (!stopping && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            bool check = false;
            if (inputSink != nullptr && message.hwnd == inputSink && message.message == WM_INPUT) {
                ++KeyInputs;
                DispatchMessageA(&message);  // DefWindowProc frees the raw input's data
                check = true;
            } else if (message.hwnd == nullptr && message.message == WM_TIMER &&
                       message.wParam == period) {
                check = true;
            }
            if ((Probe != nullptr && Probe->ReinstallNow()) ||
                (check && watchdog.Check(Sample()))) {
                hook = Reinstall(hook, module);
                KillTimer(nullptr, period);
                period = SetTimer(nullptr, 0, Options.ReinstallPeriodMs, nullptr);
            }
            stopping = WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
        }
    }
    if (period != 0) {
        KillTimer(nullptr, period);
    }
    EndInputSink(inputSink);
    if (Probe != nullptr) {
        Probe->HookOut();
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

bool THookThread::BeginReports(HWND window, UINT message) noexcept {
    THookThread* holder = nullptr;
    if (!Reporting.compare_exchange_strong(holder, this) && holder != this) {
        return false;
    }
    FlagsBuilder.Clear();
    ReportMessage.store(message);
    ReportWindow.store(window);
    return true;
}

// The hook procedure stays this object's while its hook thread runs: a thread that did not
// stop still calls it, to post nothing.
void THookThread::EndReports() noexcept {
    ReportWindow.store(nullptr);
    if (Thread == nullptr) {
        LetGoOfProcedure();
    }
}

DWORD THookThread::LostReports() const noexcept {
    return LostReportCount.load();
}

DWORD THookThread::Reinstalls() const noexcept {
    return ReinstallCount.load();
}

DWORD THookThread::ProcedureCalls() const noexcept {
    return EventsSeen.load(std::memory_order_relaxed);
}

// The system gives a low-level hook procedure no context: the object comes from `Reporting`,
// one atomic load. A call that finds none (a hook of an object that has just ended reports)
// only passes the event on.
LRESULT CALLBACK THookThread::Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    THookThread* self = Reporting.load(std::memory_order_acquire);
    if (self == nullptr) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    return self->OnKeyEvent(code, wParam, lParam);
}

// No allocation, lock, logging or exception here: the system waits for this procedure before
// any window sees the key. PostMessageA never waits for the receiver (SendMessage would tie the
// desktop's keyboard to the user-interface thread). A posted-message queue holds at most
// 10,000 messages by default (USERPostMessageLimit): a refused post is counted, and the key
// still goes on to the next hook. The hook sees every key event of the desktop in order, so
// the report carries the desktop's Shift, Ctrl, Alt and Caps Lock state after this one.
//
// Caps Lock's toggle is the system's, asked at every event: "the callback function is called
// before the asynchronous state of the key is updated" (LowLevelKeyboardProc), so it is the
// state before this event, presses the hook never heard included. This thread takes no key
// messages, and for such a thread GetKeyState catches up with the system's state when asked
// (GetKeyboardState alone does not); Wine answers with the desktop's state for a thread
// without the focus. Sharing the input of the window in front (AttachThreadInput) would read
// that window's state instead, but the documentation says the shared state is reset, and Wine
// clears it: the simulation's own key state with it.
LRESULT THookThread::OnKeyEvent(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && FirstSight(lParam)) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        // Keys released where the hook could not see (the secure desktop of Ctrl+Alt+Del) are
        // forgotten before this key is built; a quarter of a second apart at most, so that
        // fast typing asks the system nothing.
        if (event->time - LastSweep >= kSweepPeriodMs) {
            LastSweep = event->time;
            FlagsBuilder.ForgetReleasedKeys(
                [](int virtualKey) { return GetAsyncKeyState(virtualKey); });
        }
        const std::uint32_t flags = FlagsBuilder.Flags(
            {event->vkCode, event->scanCode, (event->flags & LLKHF_EXTENDED) != 0,
             (event->flags & LLKHF_ALTDOWN) != 0, (event->flags & LLKHF_UP) != 0,
             (GetKeyState(VK_CAPITAL) & 1) != 0});
        const WPARAM report = ReportWParam(event->vkCode, (event->flags & LLKHF_INJECTED) != 0,
                                           FlagsBuilder.KeyState());
        const HWND window = ReportWindow.load(std::memory_order_acquire);
        if (window != nullptr &&
            !PostMessageA(window, ReportMessage.load(std::memory_order_relaxed), report,
                          static_cast<LPARAM>(flags))) {
            LostReportCount.fetch_add(1, std::memory_order_relaxed);
        }
    }
    return PassOn(code, wParam, lParam);
}

bool THookThread::Start(HWND window, UINT message) noexcept {
    if (Thread != nullptr) {
        return false;
    }
    TThreadStart start{this, CreateEventA(nullptr, TRUE, FALSE, nullptr), false};
    if (start.Ready == nullptr) {
        return false;
    }
    StopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (StopEvent == nullptr) {
        CloseHandle(start.Ready);
        return false;
    }
    // Reports may begin the moment the hook is in, so the target is set first.
    if (!BeginReports(window, message)) {
        CloseHandle(start.Ready);
        CloseHandle(StopEvent);
        StopEvent = nullptr;
        return false;
    }
    // CreateThread, not std::thread: the win32-thread variant of mingw-w64 has none, and the
    // thread runs no C++ runtime code that would need more.
    HANDLE thread = CreateThread(nullptr, 0, &ThreadMain, &start, 0, nullptr);
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
        CloseHandle(StopEvent);
        StopEvent = nullptr;
        return false;
    }
    Thread = thread;
    return true;
}

// Once the hook thread has ended, its hook procedure can no longer run, so nothing is posted
// after this returns true. A thread that does not end within the bound (stuck in a call into
// the system) keeps its handles, and every later Stop waits for it again; its procedure posts
// nothing meanwhile (EndReports), and the library must stay loaded while it runs.
bool THookThread::Stop() noexcept {
    EndReports();
    if (Thread == nullptr) {
        return true;
    }
    SetEvent(StopEvent);
    if (WaitForSingleObject(Thread, kStopWaitMs) != WAIT_OBJECT_0) {
        return false;
    }
    CloseHandle(Thread);
    CloseHandle(StopEvent);
    Thread = nullptr;
    StopEvent = nullptr;
    LetGoOfProcedure();
    return true;
}
