// The window lookups and activation calls, one API each.
#include "platform/win32/Win32TopLevelWindows.h"

#include <windows.h>

namespace {
HWND ToHwnd(TWindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
}  // namespace

TWindowHandle TWin32TopLevelWindows::FindWindowByTitle(const char* title) {
    return reinterpret_cast<TWindowHandle>(FindWindowA(nullptr, title));
}

bool TWin32TopLevelWindows::IsIconic(TWindowHandle window) {
    return ::IsIconic(ToHwnd(window)) != FALSE;
}

bool TWin32TopLevelWindows::ShowWindowRestore(TWindowHandle window) {
    return ShowWindow(ToHwnd(window), SW_RESTORE) != FALSE;
}

bool TWin32TopLevelWindows::BringWindowToTop(TWindowHandle window) {
    return ::BringWindowToTop(ToHwnd(window)) != FALSE;
}
