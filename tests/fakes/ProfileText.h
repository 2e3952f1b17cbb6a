// The Windows profile (INI) format as pure functions over a file's bytes: lookups as
// GetPrivateProfileStringA answers them and in-place edits as WritePrivateProfileStringA makes
// them on Windows. A missing file is the empty text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ProfileText {

// The buffer the settings store hands to GetPrivateProfileStringA.
constexpr std::size_t kReadBufferSize = 2048;

// The raw text after the first "=" of the key's line, or nothing when the section or the key
// is missing.
std::optional<std::string> FindValue(std::string_view file,
                                     std::string_view section,
                                     std::string_view key);

// What GetPrivateProfileStringA copies into a buffer of bufferSize bytes (at least 1): the
// value trimmed and unquoted, or the default without its trailing spaces, cut to
// bufferSize - 1 characters.
std::string ReadValue(std::string_view file,
                      std::string_view section,
                      std::string_view key,
                      std::string_view defaultValue,
                      std::size_t bufferSize = kReadBufferSize);

// The file with the key set to the value, verbatim: a present key has its value replaced on
// its own line, a new key goes after the last line of its section, a new section at the end
// of the file. Every other byte stays.
std::string WriteValue(std::string_view file,
                       std::string_view section,
                       std::string_view key,
                       std::string_view value);

// The file without the section: its header and every line up to the next header.
std::string EraseSection(std::string_view file, std::string_view section);

}  // namespace ProfileText
