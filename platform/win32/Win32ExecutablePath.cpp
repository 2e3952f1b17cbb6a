// The executable's full path from GetModuleFileNameA.
#include "platform/ExecutablePath.h"

#include <windows.h>

#include <vector>

// GetModuleFileNameA cuts a path that does not fit and then returns the buffer's size, so the
// buffer grows until the returned count is smaller than it.
std::string ExecutableFullPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD copied =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (copied == 0) {
            return {};
        }
        if (copied < buffer.size()) {
            return std::string(buffer.data(), copied);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}
