// FormatMessageA for error codes, in the user's language.
#include "platform/win32/Win32SystemText.h"

#include <windows.h>

std::string SystemErrorText(std::uint32_t errorCode) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, errorCode, 0, text, sizeof(text), nullptr);
    // The system's messages end with "\r\n".
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) {
        --length;
    }
    if (length == 0) {
        return "error " + std::to_string(errorCode);
    }
    return std::string(text, length);
}
