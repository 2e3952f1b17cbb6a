// The code-page conversions of the W functions' arguments and answers.
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <climits>

namespace {

int Length(std::size_t size) {
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

// MultiByteToWideChar and WideCharToMultiByte return 0 for an empty input as for a failure, so
// the empty text is answered first; a failure (only invalid input with MB_ERR_INVALID_CHARS)
// gives the empty text.
std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text, bool& valid) {
    valid = true;
    if (text.empty()) {
        return {};
    }
    const int size = Length(text.size());
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (needed <= 0) {
        valid = false;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), needed);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = Length(text.size());
    const int needed =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
    bool valid = true;
    return ToWide(CP_UTF8, 0, text, valid);
}

std::string Utf8FromWide(const std::wstring& text) {
    return FromWide(CP_UTF8, text);
}

std::wstring WideFromAnsi(const std::string& text) {
    bool valid = true;
    return ToWide(CP_ACP, 0, text, valid);
}

std::string AnsiFromWide(const std::wstring& text) {
    return FromWide(CP_ACP, text);
}

// An exception's text is UTF-8 (paths and the system's texts are made UTF-8 where they enter
// it); a text from elsewhere with 8-bit characters that do not form UTF-8 is shown as the A
// functions would have shown it.
std::wstring WideFromMessage(const std::string& text) {
    bool valid = true;
    std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text, valid);
    return valid ? wide : WideFromAnsi(text);
}
