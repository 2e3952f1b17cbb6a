// A clock the test moves by hand, with a fixed date-time text.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Clock.h"

class TFakeClock : public IClock {
  public:
    double Now() override { return DayCount; }
    std::string DateTimeText(double dateTime) override;
    std::uint32_t GetTickCount() override;

    void AdvanceSeconds(double seconds) { DayCount += seconds / 86400.0; }

    double DayCount = 46000.5;                  // a Tuesday noon in 2025
    std::string Text = "1/2/2025 12:00:00 PM";  // every DateTimeText answer when not empty
    std::uint32_t TickCount = 0;
    std::uint32_t TickStepPerRead = 0;  // added after every GetTickCount read
    int TickReads = 0;
};
