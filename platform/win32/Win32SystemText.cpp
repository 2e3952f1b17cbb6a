// FormatMessageW for error codes, in the user's language, as UTF-8 like every text of an error.
#include "platform/win32/Win32SystemText.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

std::string SystemErrorText(std::uint32_t errorCode) {
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, errorCode, 0, text, 512, nullptr);
    // The system's messages end with "\r\n".
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n')) {
        --length;
    }
    if (length == 0) {
        return "error " + std::to_string(errorCode);
    }
    return Utf8FromWide(std::wstring(text, length));
}
