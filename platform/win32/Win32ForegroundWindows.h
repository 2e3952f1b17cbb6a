// IForegroundWindows over GetForegroundWindow and the integrity level of a process's token.
#pragma once

#include <cstdint>

#include "platform/ForegroundWindows.h"

class TWin32ForegroundWindows : public IForegroundWindows {
  public:
    // Reads this program's own integrity level once.
    TWin32ForegroundWindows();

    TWindowHandle ForegroundWindow() override;
    TWindowProcess WindowProcess(TWindowHandle window) override;

  private:
    bool OwnLevelKnown = false;
    std::uint32_t OwnLevel = 0;  // the mandatory label's last sub-authority (RID)
};
