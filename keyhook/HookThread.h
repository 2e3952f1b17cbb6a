// THookThread: the thread that holds the low-level keyboard hook and watches that it stays in,
// and the hook procedure that posts one report per key event.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "keyhook/HookChainGuard.h"
#include "keyhook/HookWatchdog.h"
#include "keyhook/KeyFlags.h"

// What a test build learns from the hook thread and asks of it; the shipped library gives none.
// Every call comes on the hook thread and must not throw.
class IHookThreadProbe {
  public:
    virtual ~IHookThreadProbe() = default;

    // `hook` is in the chain: the first one, or a reinstalled one whose predecessor is out.
    virtual void HookIn(HHOOK hook) noexcept = 0;
    // The hook is about to come out for good: the thread ends.
    virtual void HookOut() noexcept = 0;
    // At each message the hook thread takes, before the watchdog: true to put the hook in again
    // now (a probe posts to the thread to wake it). It may hold the thread first; the key events
    // of that time reach the old hook.
    virtual bool ReinstallNow() noexcept = 0;
};

struct THookThreadOptions {
    // How long a hook stays in before it is put in again, whatever the input.
    std::uint32_t ReinstallPeriodMs = THookWatchdog::kReinstallPeriodMs;
};

class THookThread {
  public:
    // constexpr, so that a library's static object is made before any code of it runs.
    constexpr explicit THookThread(const THookThreadOptions& options = {},
                                   IHookThreadProbe* probe = nullptr) noexcept
        : Options(options), Probe(probe) {}
    // Does not stop the thread: see the definition.
    ~THookThread();

    THookThread(const THookThread&) = delete;
    THookThread& operator=(const THookThread&) = delete;

    // Installs the hook on a thread of its own and starts posting reports to `window` as
    // `message`; true once both hold. False when this object reports already, another one
    // has the hook procedure, or the hook cannot be installed.
    bool Start(HWND window, UINT message) noexcept;

    // Ends reporting and the hook thread; after it returns no report is posted. True when the
    // thread has ended (or none ran); false when it did not end within 2 s: the code of the
    // hook procedure must then stay loaded. Must not be called from DllMain.
    bool Stop() noexcept;

    // Points the hook procedure at this object and `window` without installing anything, so
    // that a caller can run it inside a hook of its own (the benchmark does); false when
    // another object has the procedure. EndReports stops it posting.
    bool BeginReports(HWND window, UINT message) noexcept;
    void EndReports() noexcept;

    // The hook procedure that Start installs, for the object that began reports.
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept;

    // Since the object was made: reports that PostMessageA refused, reinstalls of the hook,
    // and calls of the hook procedure for a key event.
    DWORD LostReports() const noexcept;
    DWORD Reinstalls() const noexcept;
    DWORD ProcedureCalls() const noexcept;

  private:
    struct TThreadStart;

    static DWORD WINAPI ThreadMain(void* parameter);
    DWORD Run(TThreadStart& start) noexcept;
    LRESULT OnKeyEvent(int code, WPARAM wParam, LPARAM lParam) noexcept;
    bool FirstSight(LPARAM lParam) noexcept;
    LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) noexcept;
    HHOOK Reinstall(HHOOK old, HMODULE module) noexcept;
    THookSample Sample() const noexcept;
    static HWND MakeInputSink() noexcept;
    static void EndInputSink(HWND sink) noexcept;
    void LetGoOfProcedure() noexcept;

    // The object whose reports the hook procedure makes: WH_KEYBOARD_LL gives the procedure
    // no context, so one object at a time has it.
    static std::atomic<THookThread*> Reporting;

    const THookThreadOptions Options;
    IHookThreadProbe* const Probe;

    // Read by the hook procedure on the hook thread, written by Start and Stop on the caller's
    // thread; atomics, because the procedure may take no lock.
    std::atomic<HWND> ReportWindow{nullptr};
    std::atomic<UINT> ReportMessage{0};
    std::atomic<DWORD> LostReportCount{0};
    std::atomic<DWORD> ReinstallCount{0};

    // Touched only by the hook thread (and by BeginReports before that thread exists): the
    // hook procedure, the raw input and the period's timer all come there, to its message loop.
    TKeyFlagsBuilder FlagsBuilder;
    DWORD LastSweep = 0;  // the time of the event that last swept the keys held down
    DWORD KeyInputs = 0;  // raw keyboard input messages taken: a count that wraps
    THookChainGuard ChainGuard;
    // Written only by the hook thread; atomic so that ProcedureCalls may read it elsewhere.
    std::atomic<std::uint32_t> EventsSeen{0};

    // Owned by the thread that calls Start and Stop. The event ends the hook thread: unlike a
    // posted WM_QUIT it cannot be refused by a full message queue, nor sent by another program.
    HANDLE Thread = nullptr;
    HANDLE StopEvent = nullptr;
};
