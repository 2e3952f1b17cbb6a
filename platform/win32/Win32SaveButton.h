// The Save button of the main window, drawn by the window (BS_OWNERDRAW) at WM_DRAWITEM.
#pragma once

#include <windows.h>

// Paints the button of the item in its state (pressed, focused) with the caption's font, the
// glyph's 96-DPI sizes taken to the DPI.
void DrawSaveButton(const DRAWITEMSTRUCT& item, HFONT font, int dpi);
