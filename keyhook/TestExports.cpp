// The test build of keyhook.dll (keyhook_test, never shipped) exports these besides the two of
// Exports.cpp: counters for tests and benchmarks, the hook's removal, and a shorter period.
#include <windows.h>

#include "keyhook/KeyboardHook.h"

extern "C" {

// Reports lost because the target's message queue refused them.
DWORD WINAPI KeyboardHook_LostReports() {
    return keyhook::LostReports();
}

// How often the hook thread has put its hook back in.
DWORD WINAPI KeyboardHook_Reinstalls() {
    return keyhook::Reinstalls();
}

// Takes the hook out behind the hook thread's back, as Windows does with a hook that overran
// LowLevelHooksTimeout, so that a test under Wine (which never removes a hook) can show it
// coming back. UnhookWindowsHookEx takes a hook of any thread of the process.
BOOL WINAPI KeyboardHook_RemoveHookForTest() {
    HHOOK hook = keyhook::InstalledHook();
    return hook != nullptr && UnhookWindowsHookEx(hook) ? TRUE : FALSE;
}

// The reinstall period of the hooks started afterwards; 0 puts the shipped one back.
void WINAPI KeyboardHook_SetReinstallPeriodForTest(DWORD periodMs) {
    keyhook::SetReinstallPeriod(periodMs);
}

// The hook thread's id, for a test that posts to it as another program could.
DWORD WINAPI KeyboardHook_ThreadIdForTest() {
    return keyhook::HookThreadId();
}

// Calls of the hook procedure: one per key event while a single hook is in the chain.
DWORD WINAPI KeyboardHook_ProcedureCallsForTest() {
    return keyhook::HookProcedureCalls();
}

// The next reinstall waits `pauseMs` first; TRUE once that pause has begun, so that key events
// made now go to the old hook.
BOOL WINAPI KeyboardHook_PauseAReinstallForTest(DWORD pauseMs) {
    return keyhook::PauseAReinstall(pauseMs) ? TRUE : FALSE;
}

}  // extern "C"
