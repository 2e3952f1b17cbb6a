// Display scale: the DPI a window or monitor has, and sizes given at 96 DPI taken to it.
#pragma once

#include <windows.h>

// The layouts and fonts are given at this DPI (100 %).
constexpr int kDefaultDpi = 96;

// The DPI of the monitor the window is on; the system DPI where the system cannot tell.
int WindowDpi(HWND window);
// The DPI of the monitor nearest to the window, or of the primary monitor for none: the DPI a
// window about to open over it will have.
int MonitorDpiNear(HWND window);
int ScaleToDpi(int valueAt96, int dpi);
// WM_DPICHANGED for a window whose size is given at 96 DPI: moves it to the top left of the
// suggested rectangle, at `sizeAt96` scaled to the new DPI.
void MoveForDpiChange(HWND window, const RECT& suggested, SIZE sizeAt96, int dpi);
// "MS Sans Serif" at 8 points for the DPI; the caller deletes it.
HFONT CreateWindowFont(int dpi);
