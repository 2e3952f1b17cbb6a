// One copy of the program per user session: the first holds a named mutex; a later start
// brings the first copy's main window up and ends before it touches anything.
#pragma once

#include <windows.h>

class TWin32SingleInstance {
  public:
    // Creates the session's mutex, or learns that another copy holds it. Shows nothing.
    TWin32SingleInstance();
    ~TWin32SingleInstance();

    TWin32SingleInstance(const TWin32SingleInstance&) = delete;
    TWin32SingleInstance& operator=(const TWin32SingleInstance&) = delete;

    bool AnotherCopyRuns() const { return AnotherCopy; }
    // Restores the other copy's main window if it is minimised and brings it to the front;
    // waits a moment for a copy that is still starting. Says nothing when it finds none.
    void BringOtherCopyToFront() const;

  private:
    HANDLE Mutex = nullptr;
    bool AnotherCopy = false;
};
