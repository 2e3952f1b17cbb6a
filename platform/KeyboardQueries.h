// The keyboard as the calling thread sees it: key states, key names, character translation and
// the keyboard layout.
#pragma once

#include <cstdint>

class IKeyboardQueries {
  public:
    virtual ~IKeyboardQueries() = default;

    // Flags of ToAscii.
    static constexpr std::uint32_t kMenuActive = 1;
    // Leaves the layout's dead-key state alone (only where KeepsDeadKeyState says so).
    static constexpr std::uint32_t kKeepDeadKeyState = 4;

    // Copies the calling thread's 256 key states into `state`, one byte per virtual key, top
    // bit set while the key is down, low bit while it is toggled (Win32: GetKeyboardState).
    // They change only as this thread takes key messages from its own queue, never with the
    // keys typed into another program's window (Wine differs: there they follow the desktop).
    // False when the system refused; `state` is then left as it was.
    virtual bool GetKeyboardState(std::uint8_t (&state)[256]) = 0;

    // Writes the name of the key that the key-message flags word `keyFlags` describes into
    // `name` (at most `size` bytes, zero-terminated); bytes after the terminator are left
    // untouched. Returns the name's length, 0 when the system has no name for the key
    // (Win32: GetKeyNameTextA).
    virtual std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) = 0;

    // Translates a virtual key into characters of the calling thread's layout in the given
    // keyboard state (Win32: ToAscii). `scanCode`'s top bit marks a release; `flags` holds
    // kMenuActive when a menu is active. Returns 0 for no character, 1 or 2 for that many bytes
    // in `characters`, negative for a dead key (its spacing character in `characters`). A
    // dead key changes the layout's dead-key state, which the window typed into shares, so
    // that its next character may come out composed or with the accent lost; with
    // kKeepDeadKeyState, where the system offers it, it does not (Win32: ToUnicodeEx with flag
    // bit 2, the UTF-16 result turned into the ANSI code page's bytes).
    virtual std::int32_t ToAscii(std::uint32_t virtualKey,
                                 std::uint32_t scanCode,
                                 const std::uint8_t (&state)[256],
                                 std::uint8_t (&characters)[2],
                                 std::uint32_t flags) = 0;

    // Whether ToAscii can keep the dead-key state: Windows 10 1607 (build 14393) and later, by
    // the system's real version; on older systems the flag bit is reserved.
    virtual bool KeepsDeadKeyState() = 0;

    // The name of the calling thread's active keyboard layout, eight hexadecimal digits and a
    // zero, such as "00000409" (Win32: GetKeyboardLayoutNameA). False when the system refused.
    virtual bool KeyboardLayoutName(char (&name)[10]) = 0;

    // The calling thread's active keyboard layout handle (Win32: GetKeyboardLayout(0)).
    virtual std::intptr_t GetKeyboardLayout() = 0;
};
