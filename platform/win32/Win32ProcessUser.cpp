// Whose a process is, read from the session's process list when the process cannot be opened.
#include "platform/win32/Win32ProcessUser.h"

#include <wtsapi32.h>

#include <cstdint>

#include "platform/win32/Win32ProcAddress.h"

namespace {

// wtsapi32 is loaded when a refused window first needs it, not imported: every start of the
// program would load it, and the DLLs it brings, for a question that is rarely asked.
struct TWtsApi {
    decltype(&WTSEnumerateProcessesW) EnumerateProcesses = nullptr;
    decltype(&WTSFreeMemory) FreeMemory = nullptr;
};

const TWtsApi& WtsApi() {
    static const TWtsApi api = [] {
        HMODULE wtsapi32 = LoadLibraryA("wtsapi32.dll");
        return TWtsApi{
            ProcAddress<decltype(&WTSEnumerateProcessesW)>(wtsapi32, "WTSEnumerateProcessesW"),
            ProcAddress<decltype(&WTSFreeMemory)>(wtsapi32, "WTSFreeMemory")};
    }();
    return api;
}

}  // namespace

std::vector<BYTE> OwnUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    // Pointer-aligned, as TOKEN_USER holds a pointer to the SID that follows it.
    std::vector<std::uintptr_t> buffer((size + sizeof(std::uintptr_t) - 1) /
                                       sizeof(std::uintptr_t));
    std::vector<BYTE> sid;
    if (size >= sizeof(TOKEN_USER) &&
        GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        const PSID user = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
        if (IsValidSid(user)) {
            const auto* bytes = static_cast<const BYTE*>(user);
            sid.assign(bytes, bytes + GetLengthSid(user));
        }
    }
    CloseHandle(token);
    return sid;
}

// WTSEnumerateProcessesW is answered by the Remote Desktop Services, which read each process's
// token themselves: pUserSid is the user SID of the process's primary token, so it names the
// user of a process that this program may not open (one run as administrator, or another
// user's). Its documentation says that only a member of Administrators enumerates processes
// running under another user's context: a process missing from the list is another user's.
// The window in front is on this session's desktop, so its process runs in this session.
TProcessLevel RefusedProcessLevel(DWORD processId, const std::vector<BYTE>& user) {
    const TWtsApi& wts = WtsApi();
    WTS_PROCESS_INFOW* processes = nullptr;
    DWORD count = 0;
    if (user.empty() || wts.EnumerateProcesses == nullptr || wts.FreeMemory == nullptr ||
        !wts.EnumerateProcesses(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count)) {
        return TProcessLevel::Unknown;
    }
    TProcessLevel level = TProcessLevel::AccessDeniedOtherUser;
    for (DWORD i = 0; i < count; ++i) {
        if (processes[i].ProcessId == processId) {
            const PSID sid = processes[i].pUserSid;
            level = sid == nullptr || !IsValidSid(sid) ? TProcessLevel::Unknown
                    : EqualSid(sid, const_cast<BYTE*>(user.data()))
                        ? TProcessLevel::AccessDenied
                        : TProcessLevel::AccessDeniedOtherUser;
            break;
        }
    }
    wts.FreeMemory(processes);
    return level;
}
