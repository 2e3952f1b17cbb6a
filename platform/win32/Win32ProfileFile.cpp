// The real profile functions, by full path.
#include "platform/win32/Win32ProfileFile.h"

#include <windows.h>

namespace {

constexpr DWORD kReadBufferSize = 2048;

}  // namespace

// GetPrivateProfileStringA copies at most nSize - 1 characters and returns the count copied,
// without telling a cut value apart (Windows sets ERROR_MORE_DATA, Wine does not): the count is
// taken as it is, so a longer value yields its first 2047 characters.
std::string TWin32ProfileFile::ReadString(const std::string& section,
                                          const std::string& key,
                                          const std::string& defaultValue,
                                          const std::string& path) {
    char buffer[kReadBufferSize];
    const DWORD copied = GetPrivateProfileStringA(
        section.c_str(), key.c_str(), defaultValue.c_str(), buffer, kReadBufferSize, path.c_str());
    return std::string(buffer, copied < kReadBufferSize ? copied : kReadBufferSize - 1);
}

// WritePrivateProfileStringA returns FALSE when the file cannot be created or written (a
// read-only file, a missing directory, a directory in the file's place).
bool TWin32ProfileFile::WriteString(const std::string& section,
                                    const std::string& key,
                                    const std::string& value,
                                    const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           FALSE;
}

// A NULL key makes WritePrivateProfileStringA remove the whole section.
bool TWin32ProfileFile::EraseSection(const std::string& section, const std::string& path) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path.c_str()) != FALSE;
}
