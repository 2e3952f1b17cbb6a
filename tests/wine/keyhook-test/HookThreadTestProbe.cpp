// The test build's probe: it follows the hook that the hook thread has in, and holds the thread
// when woken on request, so that key events made meanwhile reach the old hook.
#include "tests/wine/keyhook-test/HookThreadTestProbe.h"

namespace {

// How long PauseAReinstall waits for the hook thread to take the message that wakes it.
constexpr DWORD kPauseWaitMs = 2000;

}  // namespace

void THookThreadTestProbe::HookIn(HHOOK hook) noexcept {
    HookThreadId.store(GetCurrentThreadId());
    Hook.store(hook);
}

void THookThreadTestProbe::HookOut() noexcept {
    Hook.store(nullptr);
    HookThreadId.store(0);
}

bool THookThreadTestProbe::ReinstallNow() noexcept {
    const DWORD pauseMs = PauseMs.exchange(0);
    if (pauseMs == 0) {
        return false;
    }
    Pausing.store(true);
    Sleep(pauseMs);
    return true;
}

HHOOK THookThreadTestProbe::InstalledHook() const noexcept {
    return Hook.load();
}

DWORD THookThreadTestProbe::ThreadId() const noexcept {
    return HookThreadId.load();
}

bool THookThreadTestProbe::PauseAReinstall(DWORD pauseMs) noexcept {
    Pausing.store(false);
    PauseMs.store(pauseMs);
    // The thread waits for keys, its stop and its period: a message wakes it.
    PostThreadMessageA(HookThreadId.load(), WM_NULL, 0, 0);
    for (DWORD waited = 0; waited < kPauseWaitMs; waited += 10) {
        if (Pausing.load()) {
            return true;
        }
        Sleep(10);
    }
    return false;
}
