// The settings store: where the open step puts the file, opening once, and write failures.
#include <gtest/gtest.h>

#include <string>

#include "app/Errors.h"
#include "app/SettingsStore.h"
#include "tests/fakes/FakeProfileFile.h"

namespace {

struct TPlacement {
    std::string StoredName;
    bool UseExeDir;
    std::string ExecutablePath;
    std::string ResolvedName;
    std::string Path;
};

std::ostream& operator<<(std::ostream& out, const TPlacement& p) {
    return out << "\"" << p.StoredName << "\" " << p.UseExeDir << " \"" << p.ExecutablePath << "\"";
}

struct TSettingsStorePlacementTest : testing::TestWithParam<TPlacement> {};

TEST_P(TSettingsStorePlacementTest, ResolvesTheNameAndBuildsThePath) {
    const TPlacement& p = GetParam();
    TFakeProfileFile profile;
    SettingsStore store(nullptr, profile, p.ExecutablePath);
    store.SetIniFileName(p.StoredName);
    store.UseExeDir = p.UseExeDir;
    EXPECT_EQ(store.IniFileName(), p.ResolvedName);
    store.OpenStore();
    ASSERT_NE(store.ProfileFile(), nullptr);
    EXPECT_EQ(store.ProfileFile()->FileName(), p.Path);
}

const std::string kExe = "C:\\Games\\Quorl\\QuorlWait.exe";

INSTANTIATE_TEST_SUITE_P(
    Names,
    TSettingsStorePlacementTest,
    testing::Values(
        TPlacement{"QuorlWait.ini", true, kExe, "QuorlWait.ini", "C:\\Games\\Quorl\\QuorlWait.ini"},
        TPlacement{"QuorlWait.ini", false, kExe, "QuorlWait.ini", "QuorlWait.ini"},
        TPlacement{"", false, kExe, "QuorlWait.INI", "QuorlWait.INI"},
        TPlacement{"", true, kExe, "QuorlWait.INI", "C:\\Games\\Quorl\\QuorlWait.INI"},
        TPlacement{"Settings", true, kExe, "Settings.INI", "C:\\Games\\Quorl\\Settings.INI"},
        TPlacement{"D:\\Other\\My.ini", true, kExe, "D:\\Other\\My.ini",
                   "C:\\Games\\Quorl\\My.ini"},
        TPlacement{"D:\\Other\\My.ini", false, kExe, "D:\\Other\\My.ini", "D:\\Other\\My.ini"},
        // Any "." counts, even one in a directory.
        TPlacement{"D:\\v1.2\\My", false, kExe, "D:\\v1.2\\My", "D:\\v1.2\\My"},
        TPlacement{"", true, "C:\\v1.2\\Pit", "Pit.INI", "C:\\v1.2\\Pit.INI"},
        TPlacement{"", true, "C:\\Pit.old.exe", "Pit.old.INI", "C:\\Pit.old.INI"},
        TPlacement{"QuorlWait.ini", true, "QuorlWait.exe", "QuorlWait.ini", "QuorlWait.ini"},
        TPlacement{"QuorlWait.ini", true, "C:QuorlWait.exe", "QuorlWait.ini",
                   "C:\\QuorlWait.ini"}));

TEST(SettingsStoreTest, OnlyTheFirstOpenCreatesTheProfileFileAndNothingTouchesTheFile) {
    TFakeProfileFile profile;
    SettingsStore store(nullptr, profile, kExe);
    EXPECT_EQ(store.ProfileFile(), nullptr);
    store.OpenStore();
    TIniFile* const first = store.ProfileFile();
    ASSERT_NE(first, nullptr);
    // A second open must not replace the profile file (and free the first) under its users.
    store.OpenStore();
    EXPECT_EQ(store.ProfileFile(), first);
    EXPECT_EQ(store.OpenCount(), 2);
    EXPECT_EQ(profile.Writes, 0);
    EXPECT_TRUE(profile.Files.empty());
    store.CloseBacking();
    EXPECT_EQ(store.ProfileFile(), nullptr);
}

TEST(SettingsStoreTest, IntegersGoThroughTheStringKeysAsDecimalText) {
    TFakeProfileFile profile;
    SettingsStore store(nullptr, profile, kExe);
    store.UseExeDir = true;
    store.SetIniFileName("QuorlWait.ini");
    store.OpenStore();
    EXPECT_EQ(store.ReadIntegerKey("Timing", "Delay", -7), -7);
    store.WriteIntegerKey("Timing", "Delay", -2147483647 - 1);
    EXPECT_EQ(profile.Files["C:\\Games\\Quorl\\QuorlWait.ini"],
              "[Timing]\r\nDelay=-2147483648\r\n");
    EXPECT_EQ(store.ReadIntegerKey("Timing", "Delay", 20), -2147483647 - 1);
    store.WriteStringKey("Timing", "Delay", "0x");
    EXPECT_EQ(store.ReadIntegerKey("Timing", "Delay", 20), 20);
}

TEST(SettingsStoreTest, AFailedWriteOrErasureNamesTheFullPath) {
    TFakeProfileFile profile;
    profile.WritesBeforeFailure = 0;
    SettingsStore store(nullptr, profile, kExe);
    store.UseExeDir = true;
    store.SetIniFileName("QuorlWait.ini");
    store.OpenStore();
    const std::string expected = "Unable to write to C:\\Games\\Quorl\\QuorlWait.ini";
    try {
        store.WriteStringKey("Timing", "Delay", "20");
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), expected);
    }
    try {
        store.EraseSectionKeys("Timing");
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), expected);
    }
}

}  // namespace
