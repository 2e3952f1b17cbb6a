// The window in front and the integrity level of its process, compared with this program's.
#include "platform/win32/Win32ForegroundWindows.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Win32IntegrityLevel.h"
#include "platform/win32/Win32ProcessUser.h"
#include "platform/win32/Win32Text.h"

namespace {

// A kernel handle closed at the end of its scope.
class TKernelHandle {
  public:
    explicit TKernelHandle(HANDLE handle) : Handle(handle) {}
    ~TKernelHandle() {
        if (Handle != nullptr) {
            CloseHandle(Handle);
        }
    }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;

    HANDLE Handle;
};

// The one object whose event hook is set: the events come to the thread that set it.
TWin32ForegroundWindows* Watching = nullptr;

// The file name of the process's program, without its folder; empty when the system will not
// tell. QueryFullProcessImageNameW needs only PROCESS_QUERY_LIMITED_INFORMATION.
std::string ProgramFileName(HANDLE process) {
    std::vector<wchar_t> path(32768);
    auto size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
        return {};
    }
    const std::wstring full(path.data(), size);
    return AnsiFromWide(full.substr(full.find_last_of(L"\\/") + 1));
}

// GetWindowTextW reads another process's caption without sending it WM_GETTEXT, so a window
// that does not answer cannot hold this thread.
std::string Caption(HWND window) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(window, text, 256);
    return length > 0 ? AnsiFromWide(std::wstring(text, static_cast<std::size_t>(length)))
                      : std::string();
}

}  // namespace

TWin32ForegroundWindows::TWin32ForegroundWindows() : OwnUser(OwnUserSid()) {
    OwnLevelKnown = IntegrityLevelOfProcess(GetCurrentProcess(), OwnLevel);
}

// A refusal is the mark of a process with more rights only when it runs for this program's
// user; another user's process refuses whatever its level.
TProcessLevel TWin32ForegroundWindows::FailureLevel(DWORD error, DWORD processId) const {
    return error == ERROR_ACCESS_DENIED ? RefusedProcessLevel(processId, OwnUser)
                                        : TProcessLevel::Unknown;
}

TWin32ForegroundWindows::~TWin32ForegroundWindows() {
    if (ForegroundEvents != nullptr) {
        UnhookWinEvent(ForegroundEvents);
        Watching = nullptr;
    }
}

TWindowHandle TWin32ForegroundWindows::ForegroundWindow() {
    return reinterpret_cast<TWindowHandle>(GetForegroundWindow());
}

// The event hook is out of context: the system posts each event to the thread that set it,
// which calls OnForegroundEvent from its message loop, so no module is loaded into other
// processes. Asking GetForegroundWindow at every tick instead costs a wineserver call a tick
// under Wine. Wine 8 sends no EVENT_SYSTEM_FOREGROUND at all: there the check runs only before
// keys are sent and at the first tick.
bool TWin32ForegroundWindows::ForegroundChanged() {
    if (!Asked) {
        Asked = true;
        Watching = this;
        ForegroundEvents =
            SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                            &OnForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
        if (ForegroundEvents == nullptr) {
            Watching = nullptr;
        }
        return true;
    }
    if (ForegroundEvents == nullptr) {
        return true;
    }
    return std::exchange(Changed, false);
}

void CALLBACK TWin32ForegroundWindows::OnForegroundEvent(HWINEVENTHOOK /*hook*/,
                                                         DWORD /*event*/,
                                                         HWND /*window*/,
                                                         LONG /*object*/,
                                                         LONG /*child*/,
                                                         DWORD /*thread*/,
                                                         DWORD /*time*/) {
    if (Watching != nullptr) {
        Watching->Changed = true;
    }
}

// Only ERROR_ACCESS_DENIED counts as refused: a higher process's token or the process itself
// may refuse this program, while any other failure (a window gone, a system without integrity
// levels, as Wine is) says nothing about its rights. The error is read before the caption is,
// which may set another; a refused process's user is looked up before the caption is read.
TWindowProcess TWin32ForegroundWindows::WindowProcess(TWindowHandle window) {
    const auto hwnd = reinterpret_cast<HWND>(window);
    DWORD processId = 0;
    if (!OwnLevelKnown || GetWindowThreadProcessId(hwnd, &processId) == 0 || processId == 0) {
        return {};
    }
    const TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process.Handle == nullptr) {
        const TProcessLevel level = FailureLevel(GetLastError(), processId);
        return {level, Caption(hwnd)};
    }
    TWindowProcess result;
    std::uint32_t level = 0;
    result.Level = !IntegrityLevelOfProcess(process.Handle, level)
                       ? FailureLevel(GetLastError(), processId)
                   : level > OwnLevel ? TProcessLevel::Higher
                   : level < OwnLevel ? TProcessLevel::Lower
                                      : TProcessLevel::Same;
    result.Name = ProgramFileName(process.Handle);
    if (result.Name.empty()) {
        result.Name = Caption(hwnd);
    }
    return result;
}
