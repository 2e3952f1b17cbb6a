// The Windows profile (INI) file functions, by full path.
#pragma once

#include <string>

// The operations are not named after the API functions: windows.h turns those names into
// macros, which would rename the methods in some translation units and not in others.
// The path is UTF-8 and may be of any length; sections, keys and values are 8-bit text in the
// ANSI code page, and every byte 1 to 255 of a value is written and read back as it is.
class IProfileFile {
  public:
    virtual ~IProfileFile() = default;

    // The value of the key in the section of the file, or the default when the file, the
    // section or the key is missing; at most 2047 characters (GetPrivateProfileStringA with a
    // 2048-byte buffer, taking exactly the count it returns). Section and key names match
    // without regard to ASCII case. Reports no failure. Does not run the message loop.
    virtual std::string ReadString(const std::string& section,
                                   const std::string& key,
                                   const std::string& defaultValue,
                                   const std::string& path) = 0;

    // Sets the key in the section to the value, creating the file, the section or the key as
    // needed (WritePrivateProfileStringA). False when the file cannot be written.
    virtual bool WriteString(const std::string& section,
                             const std::string& key,
                             const std::string& value,
                             const std::string& path) = 0;

    // Removes the section with all its keys (WritePrivateProfileStringA with no key). False
    // when the file cannot be written.
    virtual bool EraseSection(const std::string& section, const std::string& path) = 0;
};
