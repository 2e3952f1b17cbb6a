// The decision of a start: run as the session's one copy, or leave the running copy be.
#pragma once

#include "platform/Clock.h"
#include "platform/OneCopy.h"

inline constexpr const char* kOtherCopyStillRunsText =
    "Another copy of QuorlWait without administrator rights is still running and did not "
    "close. Close it, then start QuorlWait as administrator again.";

// True when this start is to run, holding the lock; false when it leaves, another copy
// running. Waits a few seconds at most (IOneCopy::Pause); may show one warning box.
bool StartAsOneCopy(IOneCopy& copies, IClock& clock);
