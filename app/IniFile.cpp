// The profile-file object: no copy of the content is kept, so there is nothing to flush.
#include "app/IniFile.h"

#include <utility>

#include "app/Errors.h"

TIniFile::TIniFile(IProfileFile& profileFunctions, std::string fileName)
    : Profile(profileFunctions), Path(std::move(fileName)) {}

std::string TIniFile::ReadString(const std::string& section,
                                 const std::string& key,
                                 const std::string& defaultValue) {
    return Profile.ReadString(section, key, defaultValue, Path);
}

void TIniFile::WriteString(const std::string& section,
                           const std::string& key,
                           const std::string& value) {
    if (!Profile.WriteString(section, key, value, Path)) {
        RaiseWriteError();
    }
}

void TIniFile::EraseSection(const std::string& section) {
    if (!Profile.EraseSection(section, Path)) {
        RaiseWriteError();
    }
}

void TIniFile::RaiseWriteError() const {
    throw EIniFileException("Unable to write to " + Path);
}
