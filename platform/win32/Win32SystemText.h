// The system's own text for a Win32 error code.
#pragma once

#include <cstdint>
#include <string>

// FormatMessageW's text for the code as UTF-8, without its line break; "error N" when it has
// none.
std::string SystemErrorText(std::uint32_t errorCode);
