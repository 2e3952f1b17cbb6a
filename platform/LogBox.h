// The box that shows the event log, one 8-bit text line per event.
#pragma once

#include <string>
#include <vector>

class ILogBox {
public:
    virtual ~ILogBox() = default;

    // Appends one line at the end. The cost must not grow with the number of lines already
    // there: an implementation never re-reads or re-sets the whole text. May be called from
    // inside a nested message loop. Does not run the message loop itself.
    virtual void AppendLine(const std::string& line) = 0;

    // Every line appended so far, in order (what Save writes).
    virtual std::vector<std::string> Lines() const = 0;
};
