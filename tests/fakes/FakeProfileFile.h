// Profile files held in memory by path, read and written by the program's own format code.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/ProfileFile.h"

class TFakeProfileFile : public IProfileFile {
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

    // The bytes of each file; a path that is not here is a missing file.
    std::map<std::string, std::string> Files;
    // Writes that succeed before every later one fails, leaving the file as it was; -1: none
    // fails.
    int WritesBeforeFailure = -1;
    int Writes = 0;  // attempted writes and erasures
    // Runs at each read with the key asked for.
    std::function<void(const std::string& key)> OnRead;

  private:
    bool NextWriteFails();
};
