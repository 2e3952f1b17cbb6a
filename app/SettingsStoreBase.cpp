// Opening and the integer keys of the settings store.
#include "app/SettingsStoreBase.h"

#include "app/IntegerText.h"

SettingsStoreBase::SettingsStoreBase(TComponent* owner) : TComponent(owner) {}

void SettingsStoreBase::OpenStore() {
    ++Opens;
    if (Opens == 1) {
        OpenBacking();
    }
}

// The default goes to the string read as decimal text, so a missing key reads back as the
// default itself, and an invalid value of any size falls back to it.
std::int32_t SettingsStoreBase::ReadIntegerKey(const std::string& section,
                                               const std::string& key,
                                               std::int32_t defaultValue) {
    std::int32_t value = defaultValue;
    if (!TryStrToInt(ReadStringKey(section, key, IntToStr(defaultValue)), value)) {
        return defaultValue;
    }
    return value;
}

void SettingsStoreBase::WriteIntegerKey(const std::string& section,
                                        const std::string& key,
                                        std::int32_t value) {
    WriteStringKey(section, key, IntToStr(value));
}

void SettingsStoreBase::EraseSectionKeys(const std::string& /*section*/) {}
