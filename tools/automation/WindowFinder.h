// Finds the windows and controls of another program (or of this one) by their captions, the
// way the tests' automation helper addresses them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The topmost visible top-level window with exactly this caption, or null.
HWND FindVisibleTopLevel(const std::string& caption);

// The visible top-level windows, topmost first.
std::vector<HWND> VisibleTopLevels();

// The window's class name ("Button", "Edit", "Static", "#32770"...).
std::string ClassOf(HWND window);

// The caption of a top-level window, as the system keeps it.
std::string CaptionOf(HWND window);

// A control's text through WM_GETTEXT, which the system copies across processes. False when
// the owning thread does not answer within the timeout.
bool ReadControlText(HWND control, std::string& text);

// The push button whose caption, with "&" accelerator marks removed, is `caption`, or null.
HWND FindButton(HWND window, const std::string& caption);

// An edit child: "#N" is the N-th edit (from 0) among the window's children in z-order, which
// is their creation order; any other text is a label's caption (accelerator marks removed),
// and the edit is the nearest one to the right of that label on its row, else the nearest
// one below it. Null when there is none.
HWND FindEdit(HWND window, const std::string& control);

// The text of a message box (a "#32770" window): its text control, id 0xFFFF, else the first
// static child with text, in UTF-8. False when there is none.
bool MessageBoxText(HWND box, std::string& text);
