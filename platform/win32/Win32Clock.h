// IClock over GetLocalTime, GetDateFormatA, GetTimeFormatA and GetTickCount.
#pragma once

#include "platform/Clock.h"

class TWin32Clock : public IClock {
  public:
    double Now() override;
    std::string DateTimeText(double dateTime) override;
    std::uint32_t GetTickCount() override;
};
