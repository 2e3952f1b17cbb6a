// keyhook.dll, found beside the executable rather than along the search path.
#include "platform/win32/Win32KeyboardHookLibrary.h"

#include <windows.h>

#include <string>

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
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    const auto separator = full.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : full.substr(0, separator + 1);
}

}  // namespace

TWin32KeyboardHookLibrary::TWin32KeyboardHookLibrary() {
    HMODULE module = LoadLibraryA((ExecutableFolder() + kLibraryName).c_str());
    if (module == nullptr) {
        return;
    }
    Module = module;
    StartProc = Function<TStartProc>(module, "KeyboardHook_Start");
    StopProc = Function<TStopProc>(module, "KeyboardHook_Stop");
    LostReportsProc = Function<TLostReportsProc>(module, "KeyboardHook_LostReports");
}

// The hook thread runs code of the library: it must have ended before FreeLibrary.
TWin32KeyboardHookLibrary::~TWin32KeyboardHookLibrary() {
    Stop();
    if (Module != nullptr) {
        FreeLibrary(static_cast<HMODULE>(Module));
    }
}

bool TWin32KeyboardHookLibrary::Start(TWindowHandle window, std::uint32_t message) {
    if (!Loaded()) {
        return false;
    }
    return StartProc(reinterpret_cast<void*>(window), message) != FALSE;
}

void TWin32KeyboardHookLibrary::Stop() {
    if (StopProc != nullptr) {
        StopProc();
    }
}

std::uint32_t TWin32KeyboardHookLibrary::LostReports() const {
    return LostReportsProc != nullptr ? LostReportsProc() : 0;
}
