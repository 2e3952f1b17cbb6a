// keyhook.dll, found beside the executable rather than along the search path.
#include "platform/win32/Win32KeyboardHookLibrary.h"

#include <windows.h>

#include <string>

#include "platform/ExecutablePath.h"
#include "platform/win32/Win32Text.h"

namespace {

constexpr const char* kLibraryName = "keyhook.dll";

// GetProcAddress gives a FARPROC; going through the generic function type keeps the cast to
// the real signature free of -Wcast-function-type.
template <typename TProc>
TProc Function(HMODULE module, const char* name) {
    using TGeneric = void (*)();
    return reinterpret_cast<TProc>(reinterpret_cast<TGeneric>(GetProcAddress(module, name)));
}

std::string ExecutableFolder() {
    const std::string full = ExecutableFullPath();
    const auto separator = full.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
}

}  // namespace

// By its full path: LoadLibraryW takes the folder's real name (LoadLibraryA would need it in
// the ANSI code page), and the search path is not consulted, so no other keyhook.dll is taken.
TWin32KeyboardHookLibrary::TWin32KeyboardHookLibrary() {
    const std::wstring path = WideFromUtf8(ExecutableFolder() + kLibraryName);
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) {
        return;
    }
    Module = module;
    StartProc = Function<TStartProc>(module, "KeyboardHook_Start");
    StopProc = Function<TStopProc>(module, "KeyboardHook_Stop");
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
    if (!Loaded()) {
        return false;
    }
    return StartProc(reinterpret_cast<void*>(window), message) != FALSE;
}

// KeyboardHook_Stop answers FALSE when the hook thread did not end within its bound; reports
// have stopped all the same.
void TWin32KeyboardHookLibrary::Stop() {
    if (StopProc != nullptr) {
        Stuck = StopProc() == FALSE;
    }
}
