// Whose a window's process is, when the process refuses to be opened: a process run as
// administrator by this program's user, or a process of another user.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ForegroundWindows.h"

// The user SID of this program's own token (TokenUser), as bytes; empty when it will not tell.
std::vector<BYTE> OwnUserSid();

// The level of a process that refused this program with ERROR_ACCESS_DENIED: AccessDenied when
// it runs for `user` (from OwnUserSid), AccessDeniedOtherUser when for another, Unknown when the
// list of the session's processes cannot tell. A system call that asks the Remote Desktop
// Services, a few milliseconds: for a refusal only, not per tick.
TProcessLevel RefusedProcessLevel(DWORD processId, const std::vector<BYTE>& user);
