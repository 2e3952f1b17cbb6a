// IKeyboardQueries over user32's key state, key name, translation and layout calls.
#pragma once

#include <windows.h>

#include "platform/KeyboardQueries.h"

// The system calls behind the translation that keeps the dead-key state and the version check
// that allows it; a test hands in stand-ins that record what they are given. A null
// RtlGetVersion is ntdll's.
struct TWin32TranslationCalls {
    int(WINAPI* ToUnicodeEx)(UINT, UINT, const BYTE*, LPWSTR, int, UINT, HKL) = &::ToUnicodeEx;
    LONG(WINAPI* RtlGetVersion)(OSVERSIONINFOW*) = nullptr;
};

class TWin32KeyboardQueries : public IKeyboardQueries {
  public:
    explicit TWin32KeyboardQueries(const TWin32TranslationCalls& calls = {}) : Calls(calls) {}

    bool GetKeyboardState(std::uint8_t (&state)[256]) override;
    std::int32_t KeyNameText(std::int32_t keyFlags, char* name, std::int32_t size) override;
    std::int32_t ToAscii(std::uint32_t virtualKey,
                         std::uint32_t scanCode,
                         const std::uint8_t (&state)[256],
                         std::uint8_t (&characters)[2],
                         std::uint32_t flags) override;
    bool KeepsDeadKeyState() override;
    bool KeyboardLayoutName(char (&name)[10]) override;
    std::intptr_t GetKeyboardLayout() override;

  private:
    const TWin32TranslationCalls Calls;
};
