// The keyboard queries, one API each; all answer for the calling thread.
#include "platform/win32/Win32KeyboardQueries.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Win32ProcAddress.h"

bool TWin32KeyboardQueries::GetKeyboardState(std::uint8_t (&state)[256]) {
    return ::GetKeyboardState(state) != FALSE;
}

std::int32_t TWin32KeyboardQueries::KeyNameText(std::int32_t keyFlags,
                                                char* name,
                                                std::int32_t size) {
    // GetKeyNameTextA reads the scan code (bits 16 to 23) and the extended bit (24) of the
    // key-message flags word.
    return GetKeyNameTextA(keyFlags, name, size);
}

// ToAscii fills a WORD with up to two characters, the first in its low byte. Asked to keep the
// dead-key state, the translation is ToUnicodeEx's with flag bit 2 ("the keyboard state is not
// changed", Windows 10 1607 and later), whose UTF-16 characters (the spacing accent of a dead
// key among them, as ToAscii gives it) become the ANSI code page's bytes, as ToAscii's are.
std::int32_t TWin32KeyboardQueries::ToAscii(std::uint32_t virtualKey,
                                            std::uint32_t scanCode,
                                            const std::uint8_t (&state)[256],
                                            std::uint8_t (&characters)[2],
                                            std::uint32_t flags) {
    if ((flags & kKeepDeadKeyState) == 0) {
        WORD translated = 0;
        const int result = ::ToAscii(virtualKey, scanCode, state, &translated, flags);
        characters[0] = static_cast<std::uint8_t>(translated & 0xFF);
        characters[1] = static_cast<std::uint8_t>(translated >> 8);
        return result;
    }
    wchar_t wide[4] = {};
    const int result =
        Calls.ToUnicodeEx(virtualKey, scanCode, state, wide, 4, flags, ::GetKeyboardLayout(0));
    const int units = result < 0 ? 1 : std::min(result, 2);
    if (units == 0 || wide[0] == L'\0') {
        return result < 0 ? result : 0;
    }
    char bytes[2] = {};
    const int converted =
        WideCharToMultiByte(CP_ACP, 0, wide, units, bytes, sizeof(bytes), nullptr, nullptr);
    characters[0] = static_cast<std::uint8_t>(bytes[0]);
    characters[1] = static_cast<std::uint8_t>(bytes[1]);
    if (converted == 0) {
        return 0;
    }
    return result < 0 ? result : converted;
}

// The flag bit that keeps the state came with Windows 10 1607 (build 14393). GetVersionEx
// answers with the version the program's manifest claims to support, not the system's, so the
// build number comes from ntdll's RtlGetVersion, which no compatibility shim changes. A system
// that does not answer is taken for an old one.
bool TWin32KeyboardQueries::KeepsDeadKeyState() {
    constexpr DWORD kFirstBuildThatKeepsTheState = 14393;
    auto rtlGetVersion = Calls.RtlGetVersion;
    if (rtlGetVersion == nullptr) {
        rtlGetVersion =
            ProcAddress<decltype(rtlGetVersion)>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    }
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) {
        return false;
    }
    return version.dwMajorVersion > 10 ||
           (version.dwMajorVersion == 10 && version.dwBuildNumber >= kFirstBuildThatKeepsTheState);
}

bool TWin32KeyboardQueries::KeyboardLayoutName(char (&name)[10]) {
    // KL_NAMELENGTH (9) bytes: eight hexadecimal digits and the zero.
    return GetKeyboardLayoutNameA(name) != FALSE;
}

std::intptr_t TWin32KeyboardQueries::GetKeyboardLayout() {
    return reinterpret_cast<std::intptr_t>(::GetKeyboardLayout(0));
}
