// Keeps the keys the program types from acting on its own windows.
#pragma once

#include <windows.h>

// While it lives, the key messages of the thread that made it that carry the mark of this
// program's own injected events (kOwnKeystrokeMark) are emptied before any message loop of
// that thread sees them: its own, a modal window's, a message box's.
//
// Key messages reach a thread only while it is the foreground thread, so the filter is in
// place only then and until the keys already queued for the thread have been taken. The
// thread's top-level windows tell it of each change with ThreadActivated.
class TWin32OwnKeystrokeFilter {
  public:
    // One per thread, made before the thread's first window.
    TWin32OwnKeystrokeFilter();
    ~TWin32OwnKeystrokeFilter();

    TWin32OwnKeystrokeFilter(const TWin32OwnKeystrokeFilter&) = delete;
    TWin32OwnKeystrokeFilter& operator=(const TWin32OwnKeystrokeFilter&) = delete;

    // For a top-level window's WM_ACTIVATEAPP (wParam): true when the calling thread has become
    // the foreground thread, false when it has stopped being it. Throws when the system refuses
    // the hook. Does nothing on a thread without a filter.
    static void ThreadActivated(bool active);

  private:
    static LRESULT CALLBACK FilterOwnKeystrokes(int code, WPARAM removal, LPARAM lParam);
    void Remove();

    HHOOK Hook = nullptr;
    bool Foreground = false;
};
