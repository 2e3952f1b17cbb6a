// The calling thread's view of the keyboard: key states, key names, character translation and
// the keyboard layout.
#pragma once

#include <cstdint>

class IKeyboardQueries {
  public:
    virtual ~IKeyboardQueries() = default;

    // The state of one virtual key as the calling thread's message processing last saw it:
    // negative (top bit set) while the key is down (Win32: GetKeyState). Does not run the
    // message loop.
    virtual std::int16_t GetKeyState(std::int32_t virtualKey) = 0;

    // Copies the calling thread's 256 key states into `state`, one byte per virtual key, top
    // bit set while the key is down (Win32: GetKeyboardState). False when the system refused;
    // `state` is then left as it was.
    virtual bool GetKeyboardState(std::uint8_t (&state)[256]) = 0;

    // Writes the name of the key that the key-message flags word `keyFlags` describes into
    // `name` (at most `size` bytes, zero-terminated); bytes after the terminator are left
    // untouched. Returns the name's length, 0 when the system has no name for the key
    // (Win32: GetKeyNameTextA).
    virtual std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) = 0;

    // Translates a virtual key into characters of the current layout in the given keyboard
    // state (Win32: ToAscii). `scanCode`'s top bit marks a release; `flags` 1 says a menu is
    // active. Returns 0 for no character, 1 or 2 for that many bytes in `characters`, negative
    // for a dead key. Changes the thread's dead-key state like the system call does.
    virtual std::int32_t ToAscii(std::uint32_t virtualKey,
                                 std::uint32_t scanCode,
                                 const std::uint8_t (&state)[256],
                                 std::uint8_t (&characters)[2],
                                 std::uint32_t flags) = 0;

    // The name of the calling thread's active keyboard layout, eight hexadecimal digits and a
    // zero, such as "00000409" (Win32: GetKeyboardLayoutNameA). False when the system refused.
    virtual bool KeyboardLayoutName(char (&name)[10]) = 0;

    // The calling thread's active keyboard layout handle (Win32: GetKeyboardLayout(0)).
    virtual std::intptr_t GetKeyboardLayout() = 0;
};
