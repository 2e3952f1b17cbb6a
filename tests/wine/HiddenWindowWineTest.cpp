// The keyboard watch's hidden window against the real system: out of reach of broadcasts.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "components/CPKeyHook.h"
#include "platform/win32/Win32HiddenWindows.h"
#include "tests/wine/TargetWindow.h"

namespace {

// Any program may broadcast message 1327 to every top-level window, posted or sent; only the
// reports posted to the window's own handle may reach the watch.
TEST(HiddenWindowWineTest, AReportBroadcastToEveryWindowNeverReachesIt) {
    TWin32HiddenWindows windows;
    std::vector<std::uintptr_t> received;
    const auto window = windows.CreateHiddenWindow([&](TMessage& message) {
        if (message.Msg == TCPKeyHook::kHookMessage) {
            received.push_back(message.WParam);
        }
    });
    ASSERT_TRUE(PostMessageA(HWND_BROADCAST, TCPKeyHook::kHookMessage, 'P', 0));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, TCPKeyHook::kHookMessage, 'S', 0, SMTO_ABORTIFHUNG, 2000,
                        &answer);
    // Posted after the broadcast, so it comes after it in the thread's queue.
    ASSERT_TRUE(
        PostMessageA(reinterpret_cast<HWND>(window->Handle()), TCPKeyHook::kHookMessage, 'D', 0));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty() && received.back() == 'D'; }, 3000));
    EXPECT_EQ(received, std::vector<std::uintptr_t>{'D'});
}

}  // namespace
