// TForegroundWatch: tells the log when the window in front runs with more rights than QuorlWait.
#pragma once

#include <cstddef>
#include <vector>

#include "components/EventLogSink.h"
#include "platform/ForegroundWindows.h"

class TForegroundWatch {
  public:
    // Both outlive the watch.
    TForegroundWatch(IForegroundWindows& windows, IEventLog& log);

    // Run on every timer tick; keysFollow when the tick goes on to send keys.
    void Check(bool keysFollow);

  private:
    static constexpr std::size_t kToldWindows = 16;

    IForegroundWindows& Windows;
    IEventLog& Log;
    TWindowHandle LastWindow = 0;
    std::vector<TWindowHandle> Told;  // the windows already told of, the newest last
};
