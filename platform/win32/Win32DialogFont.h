// The dialogs' font, "MS Sans Serif" 8 pt at the dialog's DPI, owned for the life of the window.
#pragma once

#include <windows.h>

#include <initializer_list>

class TWin32DialogFont {
  public:
    // At 96 DPI, until SetDpi says otherwise.
    TWin32DialogFont();
    ~TWin32DialogFont();

    TWin32DialogFont(const TWin32DialogFont&) = delete;
    TWin32DialogFont& operator=(const TWin32DialogFont&) = delete;

    HFONT Handle() const { return Font; }
    int Dpi() const { return FontDpi; }

    // Gives the font to a control (WM_SETFONT, no redraw: the controls are set up hidden).
    void ApplyTo(HWND control) const;
    // Makes the font for the DPI and gives it to the controls that use it.
    void SetDpi(int dpi, std::initializer_list<HWND> controls);

  private:
    HFONT Font = nullptr;
    int FontDpi;
};
