// The dialogs' font, "MS Sans Serif" 8 pt, owned for the life of the window that uses it.
#pragma once

#include <windows.h>

class TWin32DialogFont {
  public:
    TWin32DialogFont();
    ~TWin32DialogFont();

    TWin32DialogFont(const TWin32DialogFont&) = delete;
    TWin32DialogFont& operator=(const TWin32DialogFont&) = delete;

    HFONT Handle() const { return Font; }

    // Gives the font to a control (WM_SETFONT, no redraw: the controls are set up hidden).
    void ApplyTo(HWND control) const;

  private:
    HFONT Font = nullptr;
};
