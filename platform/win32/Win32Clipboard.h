// Putting the program's 8-bit text on the clipboard so that every program pastes it right.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's content with `text` (ANSI code page) as CF_TEXT, CF_UNICODETEXT
// and CF_LOCALE, marked to stay out of the clipboard history and the cloud clipboard; `owner`
// becomes the clipboard's owner. Waits a moment, pumping nothing, while
// another program holds the clipboard open. False when it stayed busy or refused the data.
bool PutTextOnClipboard(HWND owner, const std::string& text);
