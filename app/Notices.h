// Every text the program shows the driver: the warnings of the commands, the boxes of the
// start-up and the log lines about problems the program cannot mend itself.
#pragma once

#include <string>

#include "platform/KeyboardHookLibrary.h"

// The warning boxes of the commands and of the check at show.
namespace Warning {
extern const char* const kPitInMessage;
extern const char* const kPitOutMessage;
extern const char* const kPreWarningAtShow;
extern const char* const kPreWarning;
extern const char* const kWaitKey;
extern const char* const kPitInKey;
}  // namespace Warning

// The one-line input box of Set Wait Time.
extern const char* const kWaitTimeCaption;
extern const char* const kWaitTimePrompt;

// A start as administrator asked the copy without those rights to close, and it did not.
extern const char* const kOtherCopyStillRunsText;

// The error box at the end when keyhook.dll's hook thread did not stop.
extern const char* const kHookStopFailedText;

// The line for a keyboard watch that did not start: the cause, and that keys stay unseen until
// the next start.
std::string HookStartNotice(const THookStartProblem& problem);

// The line for a window in front whose process runs with more rights than this program; the
// name is its program's file or its caption, and may be empty.
std::string HigherWindowNotice(const std::string& name);
