// The test build of keyhook.dll (keyhook_test, never shipped): the two exports of the real one
// over a hook thread with a probe, and those that only tests and benchmarks call: counters, the
// hook's removal, a shorter reinstall period and a reinstall after a pause.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "keyhook/HookThread.h"
#include "keyhook/KeyboardHook.h"
#include "tests/wine/keyhook-test/HookThreadTestProbe.h"

namespace {

THookThreadTestProbe probe;

// A hook thread's options are fixed when it is made, so a Start after a new period makes a new
// one; never while one runs, nor while one that did not stop may still run. Touched only by the
// test's thread, which calls every export.
std::optional<THookThread> hookThread;
std::uint32_t builtPeriodMs = 0;
THookThreadOptions nextOptions;
bool mayRebuild = true;  // no Start yet, or the last Stop ended the thread

// The counts of the hook threads that a new period retired, so that each count runs since the
// DLL loaded.
struct TCounts {
    DWORD LostReports = 0;
    DWORD Reinstalls = 0;
    DWORD ProcedureCalls = 0;
};
TCounts retired;

TCounts Counts() {
    TCounts counts = retired;
    if (hookThread) {
        counts.LostReports += hookThread->LostReports();
        counts.Reinstalls += hookThread->Reinstalls();
        counts.ProcedureCalls += hookThread->ProcedureCalls();
    }
    return counts;
}

THookThread& HookThreadForStart() {
    if (mayRebuild && (!hookThread || builtPeriodMs != nextOptions.ReinstallPeriodMs)) {
        retired = Counts();
        hookThread.emplace(nextOptions, &probe);
        builtPeriodMs = nextOptions.ReinstallPeriodMs;
    }
    return *hookThread;
}

}  // namespace

extern "C" {

BOOL WINAPI KeyboardHook_Start(HWND window, UINT message) {
    const bool started = HookThreadForStart().Start(window, message);
    if (started) {
        mayRebuild = false;
    }
    return started ? TRUE : FALSE;
}

BOOL WINAPI KeyboardHook_Stop() {
    const bool stopped = !hookThread || hookThread->Stop();
    if (stopped) {
        mayRebuild = true;
    }
    return stopped ? TRUE : FALSE;
}

// Reports lost because the target's message queue refused them.
DWORD WINAPI KeyboardHook_LostReports() {
    return Counts().LostReports;
}

// How often the hook thread has put its hook back in.
DWORD WINAPI KeyboardHook_Reinstalls() {
    return Counts().Reinstalls;
}

// Takes the hook out behind the hook thread's back, as Windows does with a hook that overran
// LowLevelHooksTimeout, so that a test under Wine (which never removes a hook) can show it
// coming back. UnhookWindowsHookEx takes a hook of any thread of the process.
BOOL WINAPI KeyboardHook_RemoveHookForTest() {
    HHOOK hook = probe.InstalledHook();
    return hook != nullptr && UnhookWindowsHookEx(hook) ? TRUE : FALSE;
}

// The reinstall period of the hooks started afterwards; 0 puts the shipped one back.
void WINAPI KeyboardHook_SetReinstallPeriodForTest(DWORD periodMs) {
    nextOptions.ReinstallPeriodMs = periodMs != 0 ? periodMs : THookWatchdog::kReinstallPeriodMs;
}

// The hook thread's id, for a test that posts to it as another program could.
DWORD WINAPI KeyboardHook_ThreadIdForTest() {
    return probe.ThreadId();
}

// Calls of the hook procedure: one per key event while a single hook is in the chain.
DWORD WINAPI KeyboardHook_ProcedureCallsForTest() {
    return Counts().ProcedureCalls;
}

// The next reinstall waits `pauseMs` first; TRUE once that pause has begun, so that key events
// made now go to the old hook.
BOOL WINAPI KeyboardHook_PauseAReinstallForTest(DWORD pauseMs) {
    return probe.PauseAReinstall(pauseMs) ? TRUE : FALSE;
}

}  // extern "C"
