// The keyboard watch's hidden window against the real system: out of other programs' reach.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "components/CPKeyHook.h"
#include "platform/win32/Win32HiddenWindows.h"
#include "tests/wine/TargetWindow.h"

namespace {

struct TSearch {
    HWND Wanted;
    bool Found;
};

BOOL CALLBACK NoteIfWanted(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TSearch*>(parameter);
    search->Found = search->Found || window == search->Wanted;
    return TRUE;
}

// Another program finds windows to post made-up reports to by listing the top-level windows (a
// broadcast of message 1327 reaches nobody: the system broadcasts no message between WM_USER
// and 0xC000). The watch's window is a message-only window: not in that list, found only among
// the message-only windows, yet a report posted to its own handle arrives. (Wine's FindWindowA
// also finds message-only windows, which Windows' does not, so it is not asked here.)
TEST(HiddenWindowWineTest, NoOtherProgramCanFindItYetReportsPostedToItArrive) {
    TWin32HiddenWindows windows;
    std::vector<std::uintptr_t> received;
    const auto window = windows.CreateHiddenWindow([&](TMessage& message) {
        if (message.Msg == TCPKeyHook::kHookMessage) {
            received.push_back(message.WParam);
        }
    });
    const HWND handle = reinterpret_cast<HWND>(window->Handle());
    char className[64] = {};
    ASSERT_GT(GetClassNameA(handle, className, sizeof className), 0);

    TSearch search{handle, false};
    EnumWindows(&NoteIfWanted, reinterpret_cast<LPARAM>(&search));
    EXPECT_FALSE(search.Found) << "listed among the top-level windows";
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, className, nullptr), handle);

    ASSERT_TRUE(PostMessageA(handle, TCPKeyHook::kHookMessage, 'D', 0));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }, 3000));
    EXPECT_EQ(received, std::vector<std::uintptr_t>{'D'});
}

}  // namespace
