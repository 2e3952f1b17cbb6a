// Keeps the keys the program types from acting on its own windows.
#pragma once

#include <windows.h>

// While it lives, the key messages of the thread that made it that carry the mark of this
// program's own injected events (kOwnKeystrokeMark) are emptied before any message loop of
// that thread sees them: its own, a modal window's, a message box's.
class TWin32OwnKeystrokeFilter {
  public:
    // Throws when the system refuses the hook.
    TWin32OwnKeystrokeFilter();
    ~TWin32OwnKeystrokeFilter();

    TWin32OwnKeystrokeFilter(const TWin32OwnKeystrokeFilter&) = delete;
    TWin32OwnKeystrokeFilter& operator=(const TWin32OwnKeystrokeFilter&) = delete;

  private:
    HHOOK Hook;
};
