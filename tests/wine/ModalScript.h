// Drives a modal window from its own thread: steps run from a thread timer, which the modal
// loop under test dispatches, and a watchdog thread closes the window if they never finish.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class TModalScript {
  public:
    // `caption`: the window the script drives; the watchdog posts WM_CLOSE to it when the
    // steps are not done within `deadlineMs`.
    explicit TModalScript(std::string caption, DWORD deadlineMs = 3000);
    ~TModalScript();

    TModalScript(const TModalScript&) = delete;
    TModalScript& operator=(const TModalScript&) = delete;

    // A step runs on each tick (10 ms) until it returns true; the next one starts at the next
    // tick, so that messages it posted have been handled by then.
    TModalScript& Then(std::function<bool()> step);
    // A step that waits for the window to be shown and records its handle in Window().
    TModalScript& WhenShown();

    HWND Window() const { return Shown; }
    bool Finished() const { return Next == Steps.size(); }
    bool TimedOut() const { return Rescued.load(); }

  private:
    static void CALLBACK Tick(HWND window, UINT message, UINT_PTR id, DWORD time);
    static DWORD WINAPI Watch(void* self);

    std::string Caption;
    DWORD DeadlineMs;
    std::vector<std::function<bool()>> Steps;
    std::size_t Next = 0;
    bool InStep = false;
    HWND Shown = nullptr;
    UINT_PTR Timer = 0;
    HANDLE Done = nullptr;
    HANDLE Watchdog = nullptr;
    std::atomic<bool> Rescued{false};
};

// Posts a key-down of the virtual key, with its scan code, as the keyboard would.
void PostKeyDown(HWND window, UINT virtualKey);

// The visible top-level window with this caption (FindWindowA also finds hidden ones).
bool IsShown(const char* caption);
