// The decision of a start: run as the session's one copy, or leave the running copy be.
#pragma once

#include "platform/Clock.h"
#include "platform/ForegroundWindows.h"
#include "platform/OneCopy.h"

// True when this start is to run, holding the lock; false when it leaves, another copy
// running. `rights` tells whether the other copy runs with fewer rights. Waits (IOneCopy::Pause)
// a few seconds for a copy that is starting, and up to two minutes for one that is closing; may
// show one warning box.
bool StartAsOneCopy(IOneCopy& copies, IForegroundWindows& rights, IClock& clock);
