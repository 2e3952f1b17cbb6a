// Turns a failed Win32 call into the application's exception: "operation: what: system text".
#pragma once

#include <string>

[[noreturn]] void ThrowLastError(const std::string& operation, const std::string& what);
