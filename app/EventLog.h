// TEventLog: the time-stamped event log shown in the log box and saved to "Log.txt".
#pragma once

#include <string>

#include "app/LogLines.h"
#include "components/EventLogSink.h"
#include "platform/Clock.h"
#include "platform/LogBox.h"

class TEventLog : public IEventLog {
  public:
    TEventLog(IClock& clock, ILogBox& logBox);
    ~TEventLog() override;

    TEventLog(const TEventLog&) = delete;
    TEventLog& operator=(const TEventLog&) = delete;

    // A line ends at the text's first zero byte, in the box and in the saved file alike.
    void LogEvent(const std::string& text) override;

    // Writes every line of the log to the file, each followed by CR LF, replacing the file.
    // Throws EFCreateError ("Cannot create file %s") when the file cannot be created and
    // EWriteError when it cannot be written in full. The log keeps its content.
    void Save(const std::string& fileName) const;

    const TLogLines& Lines() const { return Text; }

  private:
    IClock& Clock;
    ILogBox& LogBox;
    TLogLines Text;
};
