// The box that shows the event log, one 8-bit text line per event, and the lines it shows.
#pragma once

#include <cstddef>

// The log's lines as the box reads them. The log owns them; the box keeps no copy.
class ILogLines {
  public:
    virtual ~ILogLines() = default;

    virtual std::size_t LineCount() const = 0;

    // Bytes of line `index` (below LineCount), without any terminator.
    virtual std::size_t LineLength(std::size_t index) const = 0;

    // Copies line `index` (below LineCount) into buffer, cut to capacity - 1 bytes, and ends it
    // with a zero byte. Returns the bytes copied before the zero; with capacity 0, copies
    // nothing and returns 0. A line never holds a zero byte of its own.
    virtual std::size_t CopyLine(std::size_t index, char* buffer, std::size_t capacity) const = 0;
};

class ILogBox {
  public:
    virtual ~ILogBox() = default;

    // The box shows these lines from now on; nullptr detaches it (the log is going). The lines
    // must outlive their use by the box. Does not run the message loop.
    virtual void ShowLines(const ILogLines* lines) = 0;

    // Shows the lines appended since the last flush. Lines appended in between are not shown
    // before it: the window that holds the box flushes once per tick of its timer, after the
    // tick's handler, and once when it is first shown. The cost must not grow with the number of
    // lines already shown. May be called from inside a nested message loop. Does not run the
    // message loop itself.
    virtual void Flush() = 0;
};
