// Makes this test program's windows unmanaged under Wine: without a window manager, Wine's
// X11 driver waits up to 2 s for every managed window it hides to be withdrawn, and the
// dialogs here are hidden after every showing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Wine reads "HKCU\Software\Wine\AppDefaults\<exe name>\X11 Driver" when its X11 driver
// starts, at the process's first window: the value must be there before any window exists.
class TUnmanagedWindows : public testing::Environment {
  public:
    void SetUp() override {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string name(path);
        name.erase(0, name.find_last_of("\\/") + 1);
        const std::string keyName = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const char value[] = "N";
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       sizeof value);
        RegCloseKey(key);
    }
};

[[maybe_unused]] testing::Environment* const kUnmanagedWindows =
    testing::AddGlobalTestEnvironment(new TUnmanagedWindows);

}  // namespace
