// SettingsStore: the settings store over one profile file, by default beside the executable.
#pragma once

#include <memory>
#include <string>

#include "app/IniFile.h"
#include "app/SettingsStoreBase.h"
#include "platform/ProfileFile.h"

class SettingsStore : public SettingsStoreBase {
  public:
    // executablePath is the running executable's full Windows path ("C:\dir\name.exe").
    SettingsStore(TComponent* owner, IProfileFile& profileFunctions, std::string executablePath);
    ~SettingsStore() override;

    // Written as given; read as the resolved name the open step uses.
    std::string IniFileName() const;
    void SetIniFileName(const std::string& name) { StoredName = name; }

    // None until the store is opened; owned by the store.
    TIniFile* ProfileFile() const { return Ini.get(); }

    // The file lies in the executable's directory, whatever directory the name gives.
    bool UseExeDir = false;

    void OpenBacking() override;
    void CloseBacking() override;
    std::string ReadStringKey(const std::string& section,
                              const std::string& key,
                              const std::string& defaultValue) override;
    void WriteStringKey(const std::string& section,
                        const std::string& key,
                        const std::string& value) override;
    void EraseSectionKeys(const std::string& section) override;

  private:
    IProfileFile& ProfileFunctions;
    const std::string ExecutablePath;
    std::string StoredName;
    std::unique_ptr<TIniFile> Ini;
};
