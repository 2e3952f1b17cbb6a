// The keyboard calls, one API each; the layout is the calling thread's.
#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

void TWin32Keyboard::KeybdEvent(std::uint8_t virtualKey,
                                std::uint8_t scanCode,
                                std::uint32_t flags,
                                std::uintptr_t extraInfo) {
    // keybd_event returns nothing: an injection blocked by UIPI (a target running elevated)
    // is lost without a word, as the user guide says.
    keybd_event(virtualKey, scanCode, flags, static_cast<ULONG_PTR>(extraInfo));
}

std::int16_t TWin32Keyboard::KeyForCharacter(std::uint8_t character) {
    return VkKeyScanA(static_cast<CHAR>(character));
}

std::uint32_t TWin32Keyboard::ScanCodeForVirtualKey(std::uint32_t virtualKey) {
    return MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
}
