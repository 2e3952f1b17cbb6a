// TIniFile: one profile file by its full path, every read and write going straight to it.
#pragma once

#include <string>

#include "platform/ProfileFile.h"

class TIniFile {
  public:
    TIniFile(IProfileFile& profileFunctions, std::string fileName);

    const std::string& FileName() const { return Path; }

    std::string ReadString(const std::string& section,
                           const std::string& key,
                           const std::string& defaultValue);
    // Both throw EIniFileException "Unable to write to <path>" when the file is not written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void EraseSection(const std::string& section);

  private:
    [[noreturn]] void RaiseWriteError() const;

    IProfileFile& Profile;
    const std::string Path;
};
