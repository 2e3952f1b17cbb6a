// The real profile functions, by full path: the W forms, so that the path may hold any
// character; the names and values stay 8-bit text in the ANSI code page.
#include "platform/win32/Win32ProfileFile.h"

#include <windows.h>

#include <string>

#include "platform/win32/Win32Text.h"

namespace {

constexpr DWORD kReadBufferSize = 2048;

// The profile functions are not among the functions that take paths longer than MAX_PATH
// (longPathAware covers CreateFileW, CopyFileW and their kin), and Wine's copy the full path
// into a MAX_PATH buffer and fail with ERROR_PATH_NOT_FOUND. A longer path is therefore worked
// on through a copy of the file under the temporary folder, which CopyFileW brings in and
// takes back, so that the file itself is only ever handled by functions that honour it.
bool FitsProfileFunctions(const std::wstring& path) {
    return path.size() < MAX_PATH;
}

// A number's decimal digits. Not std::to_wstring: MinGW's goes through its own wide printf,
// 23 KB of the program for two numbers in a file name.
std::wstring Digits(unsigned long number) {
    const std::string digits = std::to_string(number);
    return std::wstring(digits.begin(), digits.end());
}

class TStagedFile {
  public:
    // Copies the file in; an absent file stays absent in the copy. Ready() is false when the
    // file exists but cannot be read, or its folder is missing.
    explicit TStagedFile(const std::wstring& target) : Target(target) {
        wchar_t folder[MAX_PATH + 1] = {};
        const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
        if (length == 0 || length > MAX_PATH) {
            return;
        }
        // A name of its own for every copy: Wine keeps recently read profile files in a
        // cache by name.
        static unsigned serial = 0;
        Copy = std::wstring(folder, length) + L"quorl-" + Digits(GetCurrentProcessId()) + L"-" +
               Digits(++serial) + L".ini";
        if (CopyFileW(Target.c_str(), Copy.c_str(), FALSE) != FALSE) {
            Ready = true;
            return;
        }
        Ready = GetLastError() == ERROR_FILE_NOT_FOUND;
    }

    ~TStagedFile() {
        if (!Copy.empty()) {
            SetFileAttributesW(Copy.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(Copy.c_str());
        }
    }

    TStagedFile(const TStagedFile&) = delete;
    TStagedFile& operator=(const TStagedFile&) = delete;

    bool IsReady() const { return Ready; }
    const std::wstring& Path() const { return Copy; }

    // CopyFileW fails for a read-only file, a directory in the file's place or a missing
    // folder, as the profile functions would.
    bool CopyBack() const { return CopyFileW(Copy.c_str(), Target.c_str(), FALSE) != FALSE; }

  private:
    std::wstring Target;
    std::wstring Copy;
    bool Ready = false;
};

// GetPrivateProfileStringW copies at most nSize - 1 characters and returns the count copied,
// without telling a cut value apart (Windows sets ERROR_MORE_DATA, Wine does not): the count is
// taken as it is, so a longer value yields its first 2047 characters. With a single-byte code
// page those are 2047 bytes; a double-byte one could give more, and the text is cut to 2047
// bytes as GetPrivateProfileStringA's buffer would.
std::string Read(const std::string& section,
                 const std::string& key,
                 const std::string& defaultValue,
                 const std::wstring& path) {
    wchar_t buffer[kReadBufferSize];
    const DWORD copied = GetPrivateProfileStringW(
        WideFromAnsi(section).c_str(), WideFromAnsi(key).c_str(),
        WideFromAnsi(defaultValue).c_str(), buffer, kReadBufferSize, path.c_str());
    std::string value =
        AnsiFromWide(std::wstring(buffer, copied < kReadBufferSize ? copied : kReadBufferSize - 1));
    if (value.size() > kReadBufferSize - 1) {
        value.resize(kReadBufferSize - 1);
    }
    return value;
}

// WritePrivateProfileStringW keeps a file without a byte-order mark in the ANSI code page, so
// the bytes in the file are those the A form writes. It returns FALSE when the file cannot be
// created or written (a read-only file, a missing directory, a directory in the file's place).
bool Write(const std::string& section,
           const std::string* key,
           const std::string* value,
           const std::wstring& path) {
    const std::wstring wideKey = key != nullptr ? WideFromAnsi(*key) : std::wstring();
    const std::wstring wideValue = value != nullptr ? WideFromAnsi(*value) : std::wstring();
    return WritePrivateProfileStringW(
               WideFromAnsi(section).c_str(), key != nullptr ? wideKey.c_str() : nullptr,
               value != nullptr ? wideValue.c_str() : nullptr, path.c_str()) != FALSE;
}

bool WriteOrStage(const std::string& section,
                  const std::string* key,
                  const std::string* value,
                  const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    if (FitsProfileFunctions(widePath)) {
        return Write(section, key, value, widePath);
    }
    const TStagedFile staged(widePath);
    return staged.IsReady() && Write(section, key, value, staged.Path()) && staged.CopyBack();
}

}  // namespace

std::string TWin32ProfileFile::ReadString(const std::string& section,
                                          const std::string& key,
                                          const std::string& defaultValue,
                                          const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    if (FitsProfileFunctions(widePath)) {
        return Read(section, key, defaultValue, widePath);
    }
    // A file that cannot be read answers the default, as the profile functions do.
    const TStagedFile staged(widePath);
    return Read(section, key, defaultValue, staged.IsReady() ? staged.Path() : widePath);
}

bool TWin32ProfileFile::WriteString(const std::string& section,
                                    const std::string& key,
                                    const std::string& value,
                                    const std::string& path) {
    return WriteOrStage(section, &key, &value, path);
}

// A NULL key makes WritePrivateProfileStringW remove the whole section.
bool TWin32ProfileFile::EraseSection(const std::string& section, const std::string& path) {
    return WriteOrStage(section, nullptr, nullptr, path);
}
