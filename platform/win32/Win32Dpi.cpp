// Looks up the per-monitor DPI functions at run time, so that the program still starts on
// systems that lack them; there the system DPI stands for every monitor's.
#include "platform/win32/Win32Dpi.h"

namespace {

constexpr int kFontHeightAt96 = 11;  // 8 points

// Through the generic function pointer type: a direct cast warns of mismatched types.
template <class TFunction>
TFunction Lookup(HMODULE module, const char* name) {
    FARPROC proc = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(proc));
}

// LOGPIXELSY of the screen: what the display's scale was when the user logged on.
int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

// GetDpiForWindow (user32, Windows 10 1607 and later) gives the DPI of the monitor the window
// is on; it returns 0 for a handle that is no window.
int WindowDpi(HWND window) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        Lookup<TGetDpiForWindow>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return SystemDpi();
}

// GetDpiForMonitor (shcore.dll, Windows 8.1 and later) with MDT_EFFECTIVE_DPI gives the scale
// the user chose for that monitor. shcore.dll is loaded from the system folder only, never
// from the program's own: LOAD_LIBRARY_SEARCH_SYSTEM32 fails where it is unknown (Windows 7
// without its loader update), and the system DPI is used.
int MonitorDpiNear(HWND window) {
    using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    static const auto getDpiForMonitor = Lookup<TGetDpiForMonitor>(
        LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    HMONITOR monitor = window != nullptr ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (getDpiForMonitor != nullptr && monitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiY != 0) {
        return static_cast<int>(dpiY);
    }
    return window != nullptr ? WindowDpi(window) : SystemDpi();
}

int ScaleToDpi(int valueAt96, int dpi) {
    return MulDiv(valueAt96, dpi, kDefaultDpi);
}

// The suggested rectangle keeps the window's physical size, which is right only when the
// window was at its layout's size for the old DPI. A dialog that was sized for its owner's
// monitor just before the move there is not: the suggestion would scale it twice (2.25 times
// from 100 % to 150 %, two thirds the other way). The size comes from the layout instead.
void MoveForDpiChange(HWND window, const RECT& suggested, SIZE sizeAt96, int dpi) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, ScaleToDpi(sizeAt96.cx, dpi),
                 ScaleToDpi(sizeAt96.cy, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CreateWindowFont(int dpi) {
    // A negative height asks for the character height; CreateFontA never fails for a missing
    // face, the font mapper picks the nearest installed one (under Wine, a Tahoma substitute).
    return CreateFontA(-ScaleToDpi(kFontHeightAt96, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}
