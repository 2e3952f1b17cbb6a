// The keyboard queries, one API each; all answer for the calling thread.
#include "platform/win32/Win32KeyboardQueries.h"

#include <windows.h>

#include <cstring>

std::int16_t TWin32KeyboardQueries::GetKeyState(std::int32_t virtualKey) {
    // GetKeyState reflects the key messages this thread has taken from its queue so far, not
    // the hardware's state at this moment.
    return ::GetKeyState(virtualKey);
}

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

std::int32_t TWin32KeyboardQueries::ToAscii(std::uint32_t virtualKey,
                                            std::uint32_t scanCode,
                                            const std::uint8_t (&state)[256],
                                            std::uint8_t (&characters)[2],
                                            std::uint32_t flags) {
    // ToAscii fills a WORD with up to two characters, the first in its low byte.
    WORD translated = 0;
    const int result = ::ToAscii(virtualKey, scanCode, state, &translated, flags);
    characters[0] = static_cast<std::uint8_t>(translated & 0xFF);
    characters[1] = static_cast<std::uint8_t>(translated >> 8);
    return result;
}

bool TWin32KeyboardQueries::KeyboardLayoutName(char (&name)[10]) {
    // KL_NAMELENGTH (9) bytes: eight hexadecimal digits and the zero.
    return GetKeyboardLayoutNameA(name) != FALSE;
}

std::intptr_t TWin32KeyboardQueries::GetKeyboardLayout() {
    return reinterpret_cast<std::intptr_t>(::GetKeyboardLayout(0));
}
