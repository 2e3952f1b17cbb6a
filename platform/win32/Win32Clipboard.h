// Putting the program's 8-bit text on the clipboard so that every program pastes it right.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Puts one format's block on the open clipboard as SetClipboardData does: not null once the
// system owns the block, null when it refused it (the block is then still the caller's).
using TClipboardPut = std::function<HANDLE(UINT format, HANDLE block)>;

// Replaces the clipboard's content with `text` (ANSI code page), in one OpenClipboard session:
// first the formats that keep it out of the clipboard history and the cloud clipboard, then
// CF_TEXT, CF_UNICODETEXT and CF_LOCALE; `owner` becomes the clipboard's owner. Waits a moment,
// pumping nothing, while another program holds the clipboard open. False when it stayed busy,
// or when a format was refused: the clipboard is then left empty. `put` is SetClipboardData;
// a test hands one that refuses a chosen format.
bool PutTextOnClipboard(HWND owner,
                        const std::string& text,
                        const TClipboardPut& put = SetClipboardData);
