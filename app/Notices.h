// Every text the program shows the driver: the warnings of the commands, the boxes of the
// start-up and the log lines about problems the program cannot mend itself.
#pragma once

#include <string>

#include "platform/KeyboardHookLibrary.h"

// The warning boxes of the commands and of the check at show.
namespace Warning {
inline constexpr const char* kPitInMessage =
    "action keys must not be part of any message - please select another Pit in message";
inline constexpr const char* kPitOutMessage =
    "action keys must not be part of any message - please select another Pit Out message";
inline constexpr const char* kPreWarningAtShow =
    "action keys must not be part of any message - please select another Pit Out Warning";
inline constexpr const char* kPreWarning =
    "action keys must not be part of any message - please select another Pit Out Warning "
    "message";
inline constexpr const char* kWaitKey =
    "Wait key must not be part of any message - please select another";
inline constexpr const char* kPitInKey =
    "Pit in key must not be part of any message - please select another";
}  // namespace Warning

// The one-line input box of Set Wait Time.
inline constexpr const char* kWaitTimeCaption = "Wait Time Edit";
inline constexpr const char* kWaitTimePrompt = "Enter new time in seconds";

// A start as administrator asked the copy without those rights to close, and it did not.
inline constexpr const char* kOtherCopyStillRunsText =
    "Another copy of QuorlWait without administrator rights is still running and did not "
    "close. Close it, then start QuorlWait as administrator again.";

// The error box at the end when keyhook.dll's hook thread did not stop.
inline constexpr const char* kHookStopFailedText =
    "Stop the keyboard watch: keyhook.dll's hook thread did not end within 2 s.";

// The line for a keyboard watch that did not start: the cause, and that keys stay unseen until
// the next start.
std::string HookStartNotice(const THookStartProblem& problem);

// The line for a window in front whose process runs with more rights than this program; the
// name is its program's file or its caption, and may be empty.
std::string HigherWindowNotice(const std::string& name);
