// The timer-driven test script and its watchdog.
#include "tests/wine/ModalScript.h"

#include "tools/automation/WindowFinder.h"

namespace {
constexpr UINT kTickMs = 10;
constexpr DWORD kRescueEveryMs = 100;
TModalScript* gRunning = nullptr;  // thread timers carry no pointer of ours
}  // namespace

TModalScript::TModalScript(std::string caption, DWORD deadlineMs)
    : Caption(std::move(caption)), DeadlineMs(deadlineMs) {
    gRunning = this;
    Timer = SetTimer(nullptr, 0, kTickMs, &TModalScript::Tick);
    Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Watchdog = CreateThread(nullptr, 0, &TModalScript::Watch, this, 0, nullptr);
}

TModalScript::~TModalScript() {
    KillTimer(nullptr, Timer);
    SetEvent(Done);
    WaitForSingleObject(Watchdog, INFINITE);
    CloseHandle(Watchdog);
    CloseHandle(Done);
    gRunning = nullptr;
}

TModalScript& TModalScript::Then(std::function<bool()> step) {
    Steps.push_back(std::move(step));
    return *this;
}

TModalScript& TModalScript::WhenShown() {
    return Then([this] {
        Shown = FindVisibleTopLevel(Caption);
        return Shown != nullptr;
    });
}

void CALLBACK TModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalScript* self = gRunning;
    // A step that pumps messages itself must not be entered again from its own pumping.
    if (self == nullptr || self->InStep || self->Finished() || self->TimedOut()) {
        return;
    }
    self->InStep = true;
    if (self->Steps[self->Next]()) {
        ++self->Next;
    }
    self->InStep = false;
}

DWORD WINAPI TModalScript::Watch(void* parameter) {
    auto* self = static_cast<TModalScript*>(parameter);
    if (WaitForSingleObject(self->Done, self->DeadlineMs) != WAIT_TIMEOUT) {
        return 0;
    }
    self->Rescued = true;
    // Until the test thread is back: the window may show only now, or ignore one close.
    do {
        HWND window = FindVisibleTopLevel(self->Caption);
        if (window != nullptr) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    } while (WaitForSingleObject(self->Done, kRescueEveryMs) == WAIT_TIMEOUT);
    return 0;
}

void PostKeyDown(HWND window, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scanCode << 16)));
}

bool IsShown(const char* caption) {
    return FindVisibleTopLevel(caption) != nullptr;
}
