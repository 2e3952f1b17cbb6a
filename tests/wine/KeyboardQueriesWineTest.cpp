// The translation that keeps the dead-key state (Windows 10 1607 and later), over stand-ins for
// ToUnicodeEx and RtlGetVersion that record what they are handed; the conversion to the code
// page's bytes and the layout are the system's.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/Win32KeyboardQueries.h"

namespace {

struct TToUnicodeExStandIn {
    std::wstring Text;  // what it writes
    int Result;         // what it answers: a count, or -1 for a dead key
    UINT Flags = 0;     // what it was handed
    HKL Layout = nullptr;
} standIn;

int WINAPI ToUnicodeExStandIn(UINT, UINT, const BYTE*, LPWSTR out, int, UINT flags, HKL layout) {
    standIn.Flags = flags;
    standIn.Layout = layout;
    standIn.Text.copy(out, standIn.Text.size());
    return standIn.Result;
}

RTL_OSVERSIONINFOW version;
LONG versionStatus = 0;

LONG WINAPI RtlGetVersionStandIn(OSVERSIONINFOW* answer) {
    *answer = version;
    return versionStatus;
}

// ToUnicodeEx's flags: bit 0 a menu is active, bit 2 the keyboard state is not changed.
TEST(KeyboardQueriesWineTest, TheTranslationHandsOnTheDocumentedFlagsAndGivesTheCodePagesBytes) {
    const struct {
        std::wstring Text;
        int Result;
        std::uint32_t Flags;  // the watch's: kMenuActive, kKeepDeadKeyState
        UINT Handed;
        std::int32_t Answer;
        std::string Bytes;
    } cases[] = {
        {L"\u00e9", 1, 4, 4, 1, "\xe9"},    // é, 0xE9 in code page 1252
        {L"\u20ac", 1, 5, 5, 1, "\x80"},    // €, 0x80 there
        {L"\u00b4", -1, 4, 4, -1, "\xb4"},  // a dead acute accent
        {L"ab", 2, 4, 4, 2, "ab"},         {L"", 0, 4, 4, 0, ""},
    };
    TWin32KeyboardQueries keyboard({&ToUnicodeExStandIn, nullptr});
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Bytes));
        standIn = {c.Text, c.Result};
        const std::uint8_t state[256] = {};
        std::uint8_t characters[2] = {};
        EXPECT_EQ(keyboard.ToAscii('E', 0x12, state, characters, c.Flags), c.Answer);
        EXPECT_EQ(standIn.Flags, c.Handed);
        EXPECT_EQ(standIn.Layout, GetKeyboardLayout(0));
        EXPECT_EQ(std::string(reinterpret_cast<char*>(characters), c.Bytes.size()), c.Bytes);
    }
}

TEST(KeyboardQueriesWineTest, TheDeadKeyStateIsKeptFromWindows10Version1607On) {
    const struct {
        DWORD Major, Minor, Build;
        LONG Status;
        bool Keeps;
    } cases[] = {
        {10, 0, 14393, 0, true}, {10, 0, 14392, 0, false}, {10, 0, 22631, 0, true},
        {6, 3, 9600, 0, false},  {11, 0, 0, 0, true},      {10, 0, 19045, -1, false},
    };
    TWin32KeyboardQueries keyboard({&ToUnicodeExStandIn, &RtlGetVersionStandIn});
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Major) + "." + std::to_string(c.Build));
        version = {};
        version.dwMajorVersion = c.Major;
        version.dwMinorVersion = c.Minor;
        version.dwBuildNumber = c.Build;
        versionStatus = c.Status;
        EXPECT_EQ(keyboard.KeepsDeadKeyState(), c.Keeps);
    }
    EXPECT_TRUE(TWin32KeyboardQueries().KeepsDeadKeyState()) << "Wine's prefix reports Windows 10";
}

}  // namespace
