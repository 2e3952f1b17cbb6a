// The hook library's inside, shared by keyhook.dll's exports and the benchmark that times the
// hook procedure against a bare one.
#pragma once

#include <windows.h>

namespace keyhook {

// Installs the low-level keyboard hook on a thread of its own and starts posting reports to
// `window` as `message`; true once both hold. False when reporting runs already or the hook
// cannot be installed.
bool Start(HWND window, UINT message) noexcept;

// Ends reporting and the hook thread; after it returns no report is posted. True when the
// thread has ended (or none ran); false when it did not end within 2 s: the library must then
// stay loaded. Must not be called from DllMain.
bool Stop() noexcept;

// Reports that PostMessageA refused (a full queue, a destroyed window) since the DLL loaded.
DWORD LostReports() noexcept;

// Times the hook thread has installed its hook again since the DLL loaded.
DWORD Reinstalls() noexcept;

// For the test build of the library only (TestExports.cpp): the hook that the hook thread
// has in, null when none; and the reinstall period of the hooks started afterwards, 0 for the
// shipped one.
HHOOK InstalledHook() noexcept;
void SetReinstallPeriod(DWORD periodMs) noexcept;
// Also for the test build: the hook thread's id (0 when none runs), the hook procedure's calls
// since the DLL loaded, and a reinstall on the next timer tick after a pause of `pauseMs`,
// true once that pause has begun (waits up to 2 s for it).
DWORD HookThreadId() noexcept;
DWORD HookProcedureCalls() noexcept;
bool PauseAReinstall(DWORD pauseMs) noexcept;

// The hook procedure that Start installs: builds the flags word, posts the report and always
// calls the next hook.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Points the hook procedure at a window without installing anything, so that a caller can run
// it inside a hook of its own (the benchmark does); EndReports stops it posting.
void BeginReports(HWND window, UINT message) noexcept;
void EndReports() noexcept;

}  // namespace keyhook
