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

    ~TWin32ForegroundWindows() override;

    TWin32ForegroundWindows(const TWin32ForegroundWindows&) = delete;
    TWin32ForegroundWindows& operator=(const TWin32ForegroundWindows&) = delete;

    TWindowHandle ForegroundWindow() override;
    bool ForegroundChanged() override;
    TWindowProcess WindowProcess(TWindowHandle window) override;

  private:
    static void CALLBACK OnForegroundEvent(HWINEVENTHOOK hook,
                                           DWORD event,
                                           HWND window,
                                           LONG object,
                                           LONG child,
                                           DWORD thread,
                                           DWORD time);
    TProcessLevel FailureLevel(DWORD error, DWORD processId) const;

    // Set at the first ForegroundChanged, on the thread that asks; nullptr before, or when the
    // system refused it.
    HWINEVENTHOOK ForegroundEvents = nullptr;
    bool Asked = false;
    bool Changed = false;

    std::vector<BYTE> OwnUser;  // this program's user SID; empty when its token would not tell
    bool OwnLevelKnown = false;
    std::uint32_t OwnLevel = 0;  // the mandatory label's last sub-authority (RID)
};
