// IForegroundWindows over GetForegroundWindow and the integrity level and user of a process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/ForegroundWindows.h"

class TWin32ForegroundWindows : public IForegroundWindows {
  public:
    // Reads this program's own integrity level and user once.
    TWin32ForegroundWindows();

    TWindowHandle ForegroundWindow() override;
    TWindowProcess WindowProcess(TWindowHandle window) override;

  private:
    TProcessLevel FailureLevel(DWORD error, DWORD processId) const;

    std::vector<BYTE> OwnUser;  // this program's user SID; empty when its token would not tell
    bool OwnLevelKnown = false;
    std::uint32_t OwnLevel = 0;  // the mandatory label's last sub-authority (RID)
};
