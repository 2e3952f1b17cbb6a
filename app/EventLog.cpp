// The event log: one line per event, the date-time text, six spaces, the event text.
#include "app/EventLog.h"

#include <fstream>

#include "app/Errors.h"

namespace {
constexpr const char* kTimeSeparator = "      ";
}

TEventLog::TEventLog(IClock& clock, ILogBox& logBox) : Clock(clock), LogBox(logBox) {}

void TEventLog::LogEvent(const std::string& text) {
    LogBox.AppendLine(Clock.DateTimeText(Clock.Now()) + kTimeSeparator + text);
}

void TEventLog::Save(const std::string& fileName) const {
    // Binary mode: the line ends are written as CR LF on every system, never translated.
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw EFCreateError("Cannot create file " + fileName);
    }
    for (const std::string& line : LogBox.Lines()) {
        file << line << "\r\n";
    }
    file.close();
    if (!file) {
        throw EWriteError("Cannot write file " + fileName);
    }
}
