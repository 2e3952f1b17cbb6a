// The hook library (keyhook.dll) that reports every keystroke of the desktop to a window.
#pragma once

#include <cstdint>
#include <string>

#include "WindowHandle.h"

// Why the last Start answered false.
enum class THookStartFailure {
    None,         // the last Start succeeded, or none was made
    NotFound,     // keyhook.dll is not in the executable's folder
    NotLoadable,  // the file is there, but the system would not load it or it lacks a function
    Refused,      // loaded, but its start answered false
};

struct THookStartProblem {
    THookStartFailure Failure = THookStartFailure::None;
    // NotFound: the folder that was searched, with its final separator ("C:\Games\Quorl\");
    // NotLoadable: the system's message for the failure; otherwise empty. 8-bit text in the
    // ANSI code page, as the log's lines are; a character it lacks becomes "?".
    std::string Detail;
};

class IKeyboardHookLibrary {
  public:
    virtual ~IKeyboardHookLibrary() = default;

    // Starts reporting: from the return of true on, every key press, auto-repeat and release of
    // the desktop is posted to `window` as `message`, with the report word of KeyReport.h in
    // wParam (the virtual key in its low byte, the injected mark in bit 8) and the flags word of
    // WM_KEYDOWN/WM_KEYUP in lParam. False when the hook could not be installed, the library is
    // missing, or reporting runs already. Does not run the calling thread's message loop; the
    // reports arrive through it later.
    virtual bool Start(TWindowHandle window, std::uint32_t message) = 0;

    // Why the last Start answered false; Failure None after a Start that answered true, and
    // before any. Calls nothing in the system and does not run the message loop.
    virtual THookStartProblem LastStartProblem() const = 0;

    // Ends reporting; once it returns no further report is posted. Harmless when no start
    // succeeded. Reports no failure.
    virtual void Stop() = 0;
};
