// The event log: one line per event, the date-time text, six spaces, the event text. The lines
// live here, once; the log box only shows them.
#include "app/EventLog.h"

#include <cstdio>

#include "app/Errors.h"

namespace {
constexpr const char* kTimeSeparator = "      ";
}

TEventLog::TEventLog(IClock& clock, ILogBox& logBox) : Clock(clock), LogBox(logBox) {
    LogBox.ShowLines(&Text);
}

// The window and its box outlive the log: the box must not read the lines after this.
TEventLog::~TEventLog() {
    LogBox.ShowLines(nullptr);
}

void TEventLog::LogEvent(const std::string& text) {
    // The box shows the line at the window's next flush, once per tick: a burst of lines costs
    // one append to the control.
    Text.Append(Clock.DateTimeText(Clock.Now()) + kTimeSeparator + text);
}

// C stdio rather than a file stream: std::ofstream brings the locale machinery of the iostreams
// into the program, about a fifth of its size, for a file of plain bytes. Binary mode: the line
// ends are written as CR LF on every system, never translated.
void TEventLog::Save(const std::string& fileName) const {
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr) {
        throw EFCreateError("Cannot create file " + fileName);
    }
    bool written = Text.WriteTo(file, "\r\n");
    // fclose flushes the buffer, the last chance for a write to fail.
    written = std::fclose(file) == 0 && written;
    if (!written) {
        throw EWriteError("Cannot write file " + fileName);
    }
}
