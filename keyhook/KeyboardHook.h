// keyhook.dll's interface: the two functions that QuorlWait.exe takes from it with
// GetProcAddress, undecorated by keyhook.def.
#pragma once

#include <windows.h>

extern "C" {

// Installs the low-level keyboard hook on a thread of its own and starts posting reports to
// `window` as `message`; TRUE once both hold. FALSE when reporting runs already or the hook
// cannot be installed.
BOOL WINAPI KeyboardHook_Start(HWND window, UINT message);

// Ends reporting and the hook thread; after it returns no report is posted. FALSE when the
// thread did not end within 2 s: the caller must not unload the library.
BOOL WINAPI KeyboardHook_Stop();

}  // extern "C"
