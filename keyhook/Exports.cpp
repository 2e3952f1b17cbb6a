// keyhook.dll's exports, with the platform's standard calling convention; keyhook.def keeps
// their names undecorated. The shipped library exports only these two, which QuorlWait.exe
// calls, over one hook thread with the shipped options and no probe.
#include "keyhook/KeyboardHook.h"

#include "keyhook/HookThread.h"

namespace {

constinit THookThread hookThread;

}  // namespace

extern "C" {

BOOL WINAPI KeyboardHook_Start(HWND window, UINT message) {
    return hookThread.Start(window, message) ? TRUE : FALSE;
}

BOOL WINAPI KeyboardHook_Stop() {
    return hookThread.Stop() ? TRUE : FALSE;
}

}  // extern "C"
