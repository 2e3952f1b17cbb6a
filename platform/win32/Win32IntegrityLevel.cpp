// Reads the mandatory label of a token (TokenIntegrityLevel, answered from Windows Vista on).
#include "platform/win32/Win32IntegrityLevel.h"

#include <vector>

bool IntegrityLevelOfToken(HANDLE token, std::uint32_t& level) {
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) {
        return false;
    }
    // Pointer-aligned, as the label holds a pointer to the SID that follows it.
    std::vector<std::uintptr_t> buffer((size + sizeof(std::uintptr_t) - 1) /
                                       sizeof(std::uintptr_t));
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        return false;
    }
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) {
        SetLastError(ERROR_INVALID_SID);
        return false;
    }
    level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    return true;
}

bool IntegrityLevelOfProcess(HANDLE process, std::uint32_t& level) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return false;
    }
    const bool known = IntegrityLevelOfToken(token, level);
    const DWORD error = GetLastError();
    CloseHandle(token);
    SetLastError(error);
    return known;
}
