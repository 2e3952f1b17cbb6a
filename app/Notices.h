// The log lines that tell the driver of a problem the program cannot mend itself.
#pragma once

#include <string>

#include "platform/KeyboardHookLibrary.h"

// The line for a keyboard watch that did not start: the cause, and that keys stay unseen until
// the next start.
std::string HookStartNotice(const THookStartProblem& problem);

// The line for a window in front whose process runs with more rights than this program; the
// name is its program's file or its caption, and may be empty.
std::string HigherWindowNotice(const std::string& name);
