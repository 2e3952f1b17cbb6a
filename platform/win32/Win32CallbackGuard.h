// Keeps C++ exceptions from crossing a Win32 callback: the trampolines report them here.
#pragma once

#include <exception>
#include <functional>

// Shows the failure of a handler run from a window procedure or another system callback.
// The default shows the exception's text in an error box with a single OK button, captioned
// with the executable's name without its extension; the application may install its own.
void ReportCallbackException(const std::exception& error) noexcept;
void SetCallbackExceptionHandler(std::function<void(const std::exception&)> handler);
