// The executable's full path from GetModuleFileNameW, as UTF-8.
#include "platform/ExecutablePath.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Win32Text.h"

namespace {

// The longest path the system knows (the "\\?\" form), plus its terminating zero.
constexpr std::size_t kLongestPath = 32768;

}  // namespace

// GetModuleFileNameA would give "?" for every character of the folder's name outside the ANSI
// code page, and the path would then name no file. GetModuleFileNameW cuts a path that does not
// fit and returns the buffer's size, so the buffer grows until the count is smaller than it.
std::string ExecutableFullPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD copied =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (copied == 0) {
            return {};
        }
        if (copied < buffer.size()) {
            return Utf8FromWide(std::wstring(buffer.data(), copied));
        }
        if (buffer.size() >= kLongestPath) {
            return {};
        }
        buffer.resize(std::min(buffer.size() * 2, kLongestPath));
    }
}
