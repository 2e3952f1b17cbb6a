// The system's own text for a Win32 error code.
#pragma once

#include <cstdint>
#include <string>

// FormatMessageA's text for the code, without its line break; "error N" when it has none.
std::string SystemErrorText(std::uint32_t errorCode);
