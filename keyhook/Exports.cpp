// keyhook.dll's exports, with the platform's standard calling convention; keyhook.def keeps
// their names undecorated. The shipped library exports only these two, which QuorlWait.exe
// calls; TestExports.cpp adds the test build's.
#include <windows.h>

#include "keyhook/KeyboardHook.h"

extern "C" {

BOOL WINAPI KeyboardHook_Start(HWND window, UINT message) {
    return keyhook::Start(window, message) ? TRUE : FALSE;
}

// FALSE when the hook thread did not end in time: the caller must not unload the library.
BOOL WINAPI KeyboardHook_Stop() {
    return keyhook::Stop() ? TRUE : FALSE;
}

}  // extern "C"
