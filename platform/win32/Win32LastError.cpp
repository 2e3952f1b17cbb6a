// The system's text for GetLastError, without the line end and full stop it comes with.
#include "platform/win32/Win32LastError.h"

#include <windows.h>

#include "platform/Exception.h"
#include "platform/win32/Win32SystemText.h"

void ThrowLastError(const std::string& operation, const std::string& what) {
    const DWORD code = GetLastError();
    std::string systemText = SystemErrorText(code);
    while (!systemText.empty() && (systemText.back() == ' ' || systemText.back() == '.')) {
        systemText.pop_back();
    }
    throw Exception(operation + ": " + what + ": " + systemText);
}
