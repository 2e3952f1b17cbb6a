// Text at the Win32 boundary: paths are UTF-8 in the program and UTF-16 for the W functions;
// setting values and the keyboard's characters stay 8-bit text in the ANSI code page.
#pragma once

#include <string>

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

// The ANSI code page both ways, as the A functions convert: with a single-byte code page such
// as 1252 every byte 1 to 255 comes back as it went.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const std::wstring& text);

// The text of a message box: UTF-8 when it is valid UTF-8, else 8-bit ANSI text.
std::wstring WideFromMessage(const std::string& text);
