// The in-memory profile files.
#include "tests/fakes/FakeProfileFile.h"

#include "tests/fakes/ProfileText.h"

std::string TFakeProfileFile::ReadString(const std::string& section,
                                         const std::string& key,
                                         const std::string& defaultValue,
                                         const std::string& path) {
    if (OnRead) {
        OnRead(key);
    }
    const auto file = Files.find(path);
    return ProfileText::ReadValue(file == Files.end() ? std::string() : file->second, section, key,
                                  defaultValue);
}

bool TFakeProfileFile::WriteString(const std::string& section,
                                   const std::string& key,
                                   const std::string& value,
                                   const std::string& path) {
    if (NextWriteFails()) {
        return false;
    }
    Files[path] = ProfileText::WriteValue(Files[path], section, key, value);
    return true;
}

bool TFakeProfileFile::EraseSection(const std::string& section, const std::string& path) {
    if (NextWriteFails()) {
        return false;
    }
    const auto file = Files.find(path);
    if (file != Files.end()) {
        file->second = ProfileText::EraseSection(file->second, section);
    }
    return true;
}

bool TFakeProfileFile::NextWriteFails() {
    ++Writes;
    return WritesBeforeFailure >= 0 && Writes > WritesBeforeFailure;
}
