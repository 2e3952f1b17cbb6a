// TEventLog: the time-stamped event log shown in the log box and saved to "Log.txt".
#pragma once

#include <string>

#include "components/EventLogSink.h"
#include "platform/Clock.h"
#include "platform/LogBox.h"

class TEventLog : public IEventLog {
public:
    TEventLog(IClock& clock, ILogBox& logBox);

    void LogEvent(const std::string& text) override;

    // Writes every line of the log box to the file, each followed by CR LF, replacing the file.
    // Throws EFCreateError ("Cannot create file %s") when the file cannot be created and
    // EWriteError when it cannot be written in full. The log box keeps its content.
    void Save(const std::string& fileName) const;

private:
    IClock& Clock;
    ILogBox& LogBox;
};
