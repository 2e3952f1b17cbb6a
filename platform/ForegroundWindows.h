// The window in front and how the rights of its process compare with this program's.
#pragma once

#include <string>

#include "WindowHandle.h"

// How the integrity level of a window's process compares with this program's own. A process
// at a higher level (run as administrator) neither lets this program's low-level hook see the
// keys typed into it nor takes the keys this program injects, and no call reports it.
enum class TProcessLevel {
    Lower,   // a lower level than this program's (it runs as administrator, the other not)
    Same,    // the same level
    Higher,  // a higher level than this program's
    // The system refused to tell (the process or its token would not be opened), and the
    // process runs for this program's user: the refusal of a process run as administrator.
    AccessDenied,
    // The same refusal from a process of another user (a window started with another user's
    // name), which says nothing about administrator rights.
    AccessDeniedOtherUser,
    // The query failed for another reason, the user of a refusing process is not known, or
    // there is no such window.
    Unknown,
};

struct TWindowProcess {
    TProcessLevel Level = TProcessLevel::Unknown;
    // The file name of the process's program ("rFactor2.exe"), or the window's caption when
    // the system will not name the file; empty when neither is known. 8-bit text in the ANSI
    // code page, as the log's lines are; a character it lacks becomes "?".
    std::string Name;
};

// One object answers both the foreground check and the one-copy start: it reads this
// program's own level and user once, when it is made.
class IForegroundWindows {
  public:
    virtual ~IForegroundWindows() = default;

    // The window that has the foreground now; 0 when none has (Win32: GetForegroundWindow).
    // One system call. Does not run the message loop.
    virtual TWindowHandle ForegroundWindow() = 0;

    // Whether the window in front may have changed since the last call: true when the system
    // has told of a change since then (Win32: EVENT_SYSTEM_FOREGROUND, which reaches this
    // thread through its message loop, so a moment after the change), at the first call, and
    // at every call where the system will not tell. No system call but the first.
    virtual bool ForegroundChanged() = 0;

    // The level and name of the process that owns the window. Opens the process and its token
    // and reads them, a few system calls, and when they refuse, lists the session's processes
    // to find its user: ask once per window, not per tick. Never throws: a failure is in
    // Level. Sends the window no message and does not run the message loop.
    virtual TWindowProcess WindowProcess(TWindowHandle window) = 0;
};
