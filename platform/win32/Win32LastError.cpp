// The system's text for GetLastError, without the line end that FormatMessageA appends.
#include "platform/win32/Win32LastError.h"

#include <windows.h>

#include "app/Errors.h"

void ThrowLastError(const std::string& operation, const std::string& what) {
    const DWORD code = GetLastError();
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string systemText =
        length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    while (!systemText.empty() && (systemText.back() == '\n' || systemText.back() == '\r' ||
                                   systemText.back() == ' ' || systemText.back() == '.')) {
        systemText.pop_back();
    }
    throw Exception(operation + ": " + what + ": " + systemText);
}
