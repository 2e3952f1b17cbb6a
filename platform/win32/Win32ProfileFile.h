// IProfileFile over GetPrivateProfileStringW and WritePrivateProfileStringW, by UTF-8 path.
#pragma once

#include "platform/ProfileFile.h"

class TWin32ProfileFile : public IProfileFile {
  public:
    std::string ReadString(const std::string& section,
                           const std::string& key,
                           const std::string& defaultValue,
                           const std::string& path) override;
    bool WriteString(const std::string& section,
                     const std::string& key,
                     const std::string& value,
                     const std::string& path) override;
    bool EraseSection(const std::string& section, const std::string& path) override;
};
