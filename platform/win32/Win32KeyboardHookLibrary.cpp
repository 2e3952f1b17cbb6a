// keyhook.dll, found beside the executable rather than along the search path.
#include "platform/win32/Win32KeyboardHookLibrary.h"

#include <windows.h>

#include <string>

#include "platform/ExecutablePath.h"
#include "platform/win32/Win32ProcAddress.h"
#include "platform/win32/Win32SystemText.h"
#include "platform/win32/Win32Text.h"

namespace {

constexpr const char* kLibraryName = "keyhook.dll";

std::string ExecutableFolder() {
    const std::string full = ExecutableFullPath();
    const auto separator = full.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
}

// The log's 8-bit text from the program's UTF-8.
std::string LogText(const std::string& utf8) {
    return AnsiFromWide(WideFromUtf8(utf8));
}

// FormatMessage's text for GetLastError, without the full stop that ends it, to go inside a
// log line.
std::string LastErrorText() {
    std::string text = SystemErrorText(GetLastError());
    while (!text.empty() && (text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return LogText(text);
}

}  // namespace

// By its full path: LoadLibraryW takes the folder's real name (LoadLibraryA would need it in
// the ANSI code page), and the search path is not consulted, so no other keyhook.dll is taken.
// LoadLibraryW answers ERROR_MOD_NOT_FOUND for a missing file and for a missing dependency
// alike, so the file's own presence is asked first (GetFileAttributesW), to tell the driver
// which it is. Tried once, at the first Start: a second copy of the program, which ends at its
// start, never loads the library, and the one copy loads it only once it holds its lock. A
// failure is kept for every Start to report; none tries again.
void TWin32KeyboardHookLibrary::Load() {
    LoadTried = true;
    const std::string folder = ExecutableFolder();
    const std::wstring path = WideFromUtf8(folder + kLibraryName);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            LoadProblem = {THookStartFailure::NotFound, LogText(folder)};
            return;
        }
    }
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        LoadProblem = {THookStartFailure::NotLoadable, LastErrorText()};
        return;
    }
    Module = module;
    StartProc = ProcAddress<TStartProc>(module, "KeyboardHook_Start");
    if (StartProc != nullptr) {
        StopProc = ProcAddress<TStopProc>(module, "KeyboardHook_Stop");
    }
    if (!Loaded()) {
        LoadProblem = {THookStartFailure::NotLoadable, LastErrorText()};
    }
}

// The hook thread runs code of the library: it must have ended before FreeLibrary, or the
// library stays loaded and the thread ends with the process.
TWin32KeyboardHookLibrary::~TWin32KeyboardHookLibrary() {
    Stop();
    if (Module != nullptr && !Stuck) {
        FreeLibrary(static_cast<HMODULE>(Module));
    }
}

bool TWin32KeyboardHookLibrary::Start(TWindowHandle window, std::uint32_t message) {
    if (!LoadTried) {
        Load();
    }
    if (!Loaded()) {
        LastProblem = LoadProblem;
        return false;
    }
    const bool started = StartProc(reinterpret_cast<void*>(window), message) != FALSE;
    LastProblem = started ? THookStartProblem{} : THookStartProblem{THookStartFailure::Refused, {}};
    return started;
}

THookStartProblem TWin32KeyboardHookLibrary::LastStartProblem() const {
    return LastProblem;
}

// KeyboardHook_Stop answers FALSE when the hook thread did not end within its bound; reports
// have stopped all the same.
void TWin32KeyboardHookLibrary::Stop() {
    if (StopProc != nullptr) {
        Stuck = StopProc() == FALSE;
    }
}
