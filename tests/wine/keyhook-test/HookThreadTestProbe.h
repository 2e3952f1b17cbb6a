// THookThreadTestProbe: what the test build of keyhook.dll learns from its hook thread (the hook
// in, the thread's id) and the reinstall after a pause that it asks of it.
#pragma once

#include <windows.h>

#include <atomic>

#include "keyhook/HookThread.h"

class THookThreadTestProbe : public IHookThreadProbe {
  public:
    void HookIn(HHOOK hook) noexcept override;
    void HookOut() noexcept override;
    bool ReinstallNow() noexcept override;

    // The hook that the hook thread has in, null when none.
    HHOOK InstalledHook() const noexcept;
    // The hook thread's id, 0 when none runs.
    DWORD ThreadId() const noexcept;
    // A reinstall, woken by a post, after a pause of `pauseMs`; true once that pause has
    // begun (waits up to 2 s for it).
    bool PauseAReinstall(DWORD pauseMs) noexcept;

  private:
    // Written by the hook thread, read by the test's.
    std::atomic<HHOOK> Hook{nullptr};
    std::atomic<DWORD> HookThreadId{0};
    // Written by the test's thread; the hook thread takes the pause and says it has begun.
    std::atomic<DWORD> PauseMs{0};
    std::atomic<bool> Pausing{false};
};
