// SettingsStoreBase: the settings store apart from its backing file: opening once, and
// integers over the string operations.
#pragma once

#include <cstdint>
#include <string>

#include "components/Component.h"

class SettingsStoreBase : public TComponent {
  public:
    explicit SettingsStoreBase(TComponent* owner);

    // The number of times the store has been opened; the first open opens the backing.
    std::int32_t OpenCount() const { return Opens; }
    void OpenStore();

    // The default when the value is missing or is no integer form the file accepts.
    std::int32_t ReadIntegerKey(const std::string& section,
                                const std::string& key,
                                std::int32_t defaultValue);
    void WriteIntegerKey(const std::string& section, const std::string& key, std::int32_t value);

    // The overridable operations, in their slot order.
    virtual void OpenBacking() = 0;
    virtual void CloseBacking() = 0;
    virtual std::string ReadStringKey(const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) = 0;
    virtual void WriteStringKey(const std::string& section,
                                const std::string& key,
                                const std::string& value) = 0;
    virtual void EraseSectionKeys(const std::string& section);

  private:
    std::int32_t Opens = 0;
};
