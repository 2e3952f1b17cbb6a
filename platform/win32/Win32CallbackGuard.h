// Keeps C++ exceptions from crossing a Win32 callback: the trampolines report them here.
#pragma once

#include <exception>
#include <functional>

// Shows the failure of a handler run from a window procedure or another system callback.
// The default shows the exception's text in an error box with a single OK button, captioned
// with the executable's name without its extension; the application may install its own,
// which must throw nothing.
void ReportCallbackException(const std::exception& error) noexcept;
void SetCallbackExceptionHandler(std::function<void(const std::exception&)> handler);

// The same for something thrown that is not a std::exception: a generic error
// (EUnknownException).
void ReportUnknownCallbackException() noexcept;

// Runs the callback's work; whatever it throws is reported, and nothing leaves. True when the
// work ran to its end.
template <typename TWork>
bool RunGuarded(TWork&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        ReportCallbackException(error);
    } catch (...) {
        // Not a std::exception: there is no text to show, but the failure is still reported.
        ReportUnknownCallbackException();
    }
    return false;
}
