// ITopLevelWindows over FindWindowA, IsIconic, ShowWindow and BringWindowToTop.
#pragma once

#include "platform/TopLevelWindows.h"

class TWin32TopLevelWindows : public ITopLevelWindows {
  public:
    TWindowHandle FindWindowByTitle(const char* title) override;
    bool IsIconic(TWindowHandle window) override;
    bool ShowWindowRestore(TWindowHandle window) override;
    bool BringWindowToTop(TWindowHandle window) override;
};
