// How a component writes to the application's event log.
#pragma once

#include <string>

// Implemented by the application's event log; a component that logs calls it directly and has
// no log switch of its own.
class IEventLog {
  public:
    virtual ~IEventLog() = default;

    // Appends one time-stamped line with the 8-bit event text.
    virtual void LogEvent(const std::string& text) = 0;
};
