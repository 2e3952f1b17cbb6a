// One copy of the program per user session: the first holds a named mutex; a later start
// meets it through IOneCopy before it touches anything.
#pragma once

#include <windows.h>

#include "platform/OneCopy.h"

class TWin32SingleInstance : public IOneCopy {
  public:
    // Creates or opens the session's mutex, taking it when no other copy holds it. Shows
    // nothing.
    TWin32SingleInstance();
    ~TWin32SingleInstance() override;

    TWin32SingleInstance(const TWin32SingleInstance&) = delete;
    TWin32SingleInstance& operator=(const TWin32SingleInstance&) = delete;

    bool TakeLock() override;
    void ReleaseLock() override;
    TWindowHandle FindOtherWindow() override;
    bool OtherProcessRuns() override;
    void BringToFront(TWindowHandle window) override;
    void AskToClose(TWindowHandle window) override;
    void WarningBox(const std::string& text) override;
    void Pause(std::uint32_t ms) override;

  private:
    HANDLE Mutex = nullptr;
    bool Owned = false;
    bool NoLock = false;            // the system made no mutex for a reason that is no other copy
    HANDLE OtherProcess = nullptr;  // SYNCHRONIZE only
};
