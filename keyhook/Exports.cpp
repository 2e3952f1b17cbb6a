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

}  // extern "C"
