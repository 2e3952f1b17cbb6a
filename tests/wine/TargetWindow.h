// A top-level window of the test's own that takes the focus and records the keys it receives.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TReceivedKey {
    UINT Message;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    UINT VirtualKey;
    UINT ScanCode;
    bool Extended;

    bool Down() const { return Message == WM_KEYDOWN || Message == WM_SYSKEYDOWN; }
};

class TTargetWindow {
  public:
    explicit TTargetWindow(const char* title);
    ~TTargetWindow();

    TTargetWindow(const TTargetWindow&) = delete;
    TTargetWindow& operator=(const TTargetWindow&) = delete;

    HWND Handle() const { return Window; }

    // Makes the window Wine's foreground window with the keyboard focus; false if it did not
    // take. Injected keys go to that window.
    bool TakeFocus();

    std::vector<TReceivedKey> Keys;
    std::string Characters;  // WM_CHAR, in order

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Window = nullptr;
};

// The process's one target window, titled "Quorl test target", emptied of recorded keys.
TTargetWindow& SharedTarget();

// Dispatches the thread's messages until the condition holds or the time is up; returns the
// condition's last answer.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Dispatches the thread's messages for the given time.
void PumpFor(DWORD durationMs);
