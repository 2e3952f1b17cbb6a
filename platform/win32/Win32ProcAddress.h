// A function of a loaded DLL, by name, at its real type.
#pragma once

#include <windows.h>

// GetProcAddress gives a FARPROC; going through the generic function type keeps the cast to
// the real signature free of -Wcast-function-type. Null when the module is null or has no such
// function.
template <typename TProc>
TProc ProcAddress(HMODULE module, const char* name) {
    using TGeneric = void (*)();
    return module != nullptr
               ? reinterpret_cast<TProc>(reinterpret_cast<TGeneric>(GetProcAddress(module, name)))
               : nullptr;
}
