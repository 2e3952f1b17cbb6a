// Keeps the dialogs' font at the dialog's DPI.
#include "platform/win32/Win32DialogFont.h"

#include "platform/win32/Win32Dpi.h"

TWin32DialogFont::TWin32DialogFont() : Font(CreateWindowFont(kDefaultDpi)), FontDpi(kDefaultDpi) {}

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

// A control keeps the HFONT it was given and draws with it: the old font is deleted only after
// every control has the new one.
void TWin32DialogFont::SetDpi(int dpi, std::initializer_list<HWND> controls) {
    if (dpi == FontDpi && Font != nullptr) {
        return;
    }
    HFONT newFont = CreateWindowFont(dpi);
    if (newFont == nullptr) {
        return;  // the old font stays, at the old size
    }
    HFONT oldFont = Font;
    Font = newFont;
    FontDpi = dpi;
    for (HWND control : controls) {
        ApplyTo(control);
    }
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
}
