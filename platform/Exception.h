// The runtime failure every layer raises, below both its throwers and its catchers.
#pragma once

#include <exception>
#include <stdexcept>

// A runtime failure whose message the default error handler shows as it is: the system's own
// words, or "operation: what failed: system text". The text is UTF-8.
class Exception : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the error box shows for something thrown that is not a std::exception. Its text is a
// literal, so that reporting it allocates nothing.
class EUnknownException : public std::exception {
  public:
    const char* what() const noexcept override {
        return "Internal error: an exception of unknown type";
    }
};
