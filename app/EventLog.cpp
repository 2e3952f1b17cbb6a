// The event log: one line per event, the date-time text, six spaces, the event text. The lines
// live here, once; the log box only shows them.
#include "app/EventLog.h"

#include <fstream>

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
    Text.Append(Clock.DateTimeText(Clock.Now()) + kTimeSeparator + text);
    LogBox.LinesAppended();
}

void TEventLog::Save(const std::string& fileName) const {
    // Binary mode: the line ends are written as CR LF on every system, never translated.
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw EFCreateError("Cannot create file " + fileName);
    }
    Text.WriteTo(file, "\r\n");
    file.close();
    if (!file) {
        throw EWriteError("Cannot write file " + fileName);
    }
}
