// The main window's owner-drawn Save button: a push button's frame, a diskette and the caption.
#include "platform/win32/Win32SaveButton.h"

#include "platform/win32/Win32Dpi.h"

// The Save button's glyph, our own: a small diskette left of the caption.
void DrawSaveButton(const DRAWITEMSTRUCT& item, HFONT font, int dpi) {
    const auto scale = [dpi](int valueAt96) { return ScaleToDpi(valueAt96, dpi); };
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int offset = pressed ? 1 : 0;
    const int glyphLeft = rect.left + scale(8) + offset;
    const int glyphTop = (rect.top + rect.bottom) / 2 - scale(7) + offset;
    // The glyph is drawn at 96 DPI in a 14 x 14 square, scaled to the window's DPI.
    const auto glyphRect = [&](int left, int top, int right, int bottom) {
        return RECT{glyphLeft + scale(left), glyphTop + scale(top), glyphLeft + scale(right),
                    glyphTop + scale(bottom)};
    };

    HBRUSH body = CreateSolidBrush(RGB(0, 0, 128));
    RECT disk = glyphRect(0, 0, 14, 14);
    FillRect(dc, &disk, body);
    DeleteObject(body);
    HBRUSH label = CreateSolidBrush(RGB(255, 255, 255));
    RECT paper = glyphRect(3, 1, 11, 6);
    FillRect(dc, &paper, label);
    DeleteObject(label);
    HBRUSH shutter = CreateSolidBrush(RGB(192, 192, 192));
    RECT slot = glyphRect(4, 9, 10, 14);
    FillRect(dc, &slot, shutter);
    DeleteObject(shutter);

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT text{glyphLeft + scale(18), rect.top + offset, rect.right - scale(4) + offset,
              rect.bottom + offset};
    DrawTextA(dc, "Save", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = rect;
        InflateRect(&focus, -scale(4), -scale(4));
        DrawFocusRect(dc, &focus);
    }
}
