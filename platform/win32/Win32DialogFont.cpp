// Creates "MS Sans Serif" at 8 points for the screen's resolution.
#include "platform/win32/Win32DialogFont.h"

TWin32DialogFont::TWin32DialogFont() {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    // A negative height asks for the character height (em size), as a point size means.
    // CreateFontA never fails for a missing face: the font mapper picks the nearest one that
    // is installed (under Wine, usually a Tahoma substitute).
    Font = CreateFontA(-MulDiv(8, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

TWin32DialogFont::~TWin32DialogFont() {
    if (Font != nullptr) {
        DeleteObject(Font);
    }
}

void TWin32DialogFont::ApplyTo(HWND control) const {
    // Without a font of our own a control draws with the system font, not the dialogs' one.
    if (Font != nullptr) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    }
}
