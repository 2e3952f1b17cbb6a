// The integrity level of a process's token, by which Windows' user interface privilege isolation
// ranks programs.
#pragma once

#include <windows.h>

#include <cstdint>

// The last sub-authority (RID) of the token's mandatory label: SECURITY_MANDATORY_MEDIUM_RID
// (0x2000) for a program of the user, SECURITY_MANDATORY_HIGH_RID (0x3000) for one run as
// administrator. False, with GetLastError set, when the token will not tell.
bool IntegrityLevelOfToken(HANDLE token, std::uint32_t& level);

// The same for a process opened with PROCESS_QUERY_LIMITED_INFORMATION or more; opening its
// token (TOKEN_QUERY) fails with ERROR_ACCESS_DENIED for a process with more rights.
bool IntegrityLevelOfProcess(HANDLE process, std::uint32_t& level);
