// The settings store's open step, which places the file, and its string operations.
#include "app/SettingsStore.h"

#include <cassert>
#include <utility>

namespace {

// Windows paths: "\" separates directories and ":" ends a drive.
constexpr const char* kPathDelimiters = "\\:";

std::string FileNamePart(const std::string& path) {
    const std::size_t delimiter = path.find_last_of(kPathDelimiters);
    return delimiter == std::string::npos ? path : path.substr(delimiter + 1);
}

// Up to and including the last delimiter: "C:\Games\" for "C:\Games\x.exe".
std::string DirectoryPart(const std::string& path) {
    const std::size_t delimiter = path.find_last_of(kPathDelimiters);
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

// The extension is the part from the last "." of the file name part.
std::string ChangeExtension(const std::string& path, const std::string& extension) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t delimiter = path.find_last_of(kPathDelimiters);
    if (dot == std::string::npos || (delimiter != std::string::npos && dot < delimiter)) {
        return path + extension;
    }
    return path.substr(0, dot) + extension;
}

}  // namespace

SettingsStore::SettingsStore(TComponent* owner,
                             IProfileFile& profileFunctions,
                             std::string executablePath)
    : SettingsStoreBase(owner),
      ProfileFunctions(profileFunctions),
      ExecutablePath(std::move(executablePath)) {}

SettingsStore::~SettingsStore() = default;

std::string SettingsStore::IniFileName() const {
    std::string name = StoredName;
    if (name.empty()) {
        name = FileNamePart(ChangeExtension(ExecutablePath, ".INI"));
    }
    if (name.find('.') == std::string::npos) {
        name += ".INI";
    }
    return name;
}

// Nothing touches the file here, so opening cannot fail; a file that cannot be written shows
// at the first write.
void SettingsStore::OpenBacking() {
    std::string path = IniFileName();
    if (UseExeDir) {
        std::string directory = DirectoryPart(ExecutablePath);
        if (!directory.empty() && directory.back() != '\\') {
            directory += '\\';
        }
        path = directory + FileNamePart(path);
    }
    Ini = std::make_unique<TIniFile>(ProfileFunctions, path);
}

void SettingsStore::CloseBacking() {
    Ini.reset();
}

std::string SettingsStore::ReadStringKey(const std::string& section,
                                         const std::string& key,
                                         const std::string& defaultValue) {
    assert(Ini && "the store is read before it is opened");
    return Ini->ReadString(section, key, defaultValue);
}

void SettingsStore::WriteStringKey(const std::string& section,
                                   const std::string& key,
                                   const std::string& value) {
    assert(Ini && "the store is written before it is opened");
    Ini->WriteString(section, key, value);
}

void SettingsStore::EraseSectionKeys(const std::string& section) {
    assert(Ini && "the store is written before it is opened");
    Ini->EraseSection(section);
}
