// keyhook.dll's exports, with the platform's standard calling convention; keyhook.def keeps
// their names undecorated.
#include <windows.h>

#include "keyhook/KeyboardHook.h"

extern "C" {

BOOL WINAPI KeyboardHook_Start(HWND window, UINT message) {
    return keyhook::Start(window, message) ? TRUE : FALSE;
}

void WINAPI KeyboardHook_Stop() {
    keyhook::Stop();
}

// Reports lost because the target's message queue refused them, for tests and benchmarks.
DWORD WINAPI KeyboardHook_LostReports() {
    return keyhook::LostReports();
}

// How often the hook thread has put its hook back in, for tests and benchmarks.
DWORD WINAPI KeyboardHook_Reinstalls() {
    return keyhook::Reinstalls();
}

// Test-only, never called by QuorlWait.exe: takes the hook out behind the hook thread's back,
// as Windows does with a hook that overran LowLevelHooksTimeout, so that a test under Wine
// (which never removes a hook) can show the hook coming back.
BOOL WINAPI KeyboardHook_RemoveHookForTest() {
    return keyhook::RemoveHookForTest() ? TRUE : FALSE;
}

}  // extern "C"
