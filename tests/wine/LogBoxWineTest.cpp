// The real log box of the main window: what it shows is read back from the control, what it
// copies from the clipboard, and Log.txt holds the same lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/EventLog.h"
#include "app/Unit1.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32MainWindow.h"
#include "tests/fakes/FakeClock.h"
#include "tests/wine/TargetWindow.h"

namespace {

constexpr DWORD kShowWaitMs = 5000;

std::vector<std::string> BoxLines(HWND box) {
    std::vector<std::string> lines;
    const auto count = static_cast<int>(SendMessageA(box, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = "";
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(box, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        lines.emplace_back(text);
    }
    return lines;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The clipboard's text in CF_TEXT (char) or CF_UNICODETEXT (wchar_t), and its formats in the
// order EnumClipboardFormats gives: those the program put, in its order, then the system's.
template <class TChar>
std::basic_string<TChar> ClipboardText(UINT format, std::vector<UINT>* formats = nullptr) {
    std::basic_string<TChar> text;
    if (OpenClipboard(nullptr)) {
        for (UINT f = EnumClipboardFormats(0); formats != nullptr && f != 0;
             f = EnumClipboardFormats(f)) {
            formats->push_back(f);
        }
        if (HANDLE data = GetClipboardData(format)) {
            if (const auto* chars = static_cast<const TChar*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return text;
}

// A key the box receives with Ctrl held, as the thread's key state says when it is handled.
void SendWithCtrl(HWND box, UINT virtualKey) {
    BYTE state[256];
    GetKeyboardState(state);
    const BYTE ctrl = state[VK_CONTROL];
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    SendMessageA(box, WM_KEYDOWN, virtualKey, 1);
    state[VK_CONTROL] = ctrl;
    SetKeyboardState(state);
}

class LogBoxWineTest : public testing::Test {
  protected:
    LogBoxWineTest() : Log(Clock, Window.Memo1()) {
        Clock.Text = "T";
        Window.Show();
        Box = GetDlgItem(Window.Handle(), kMemo1Id);
    }

    // The window's timer shows what was logged at its next tick.
    bool ShownWithin(std::size_t count) {
        return PumpUntil(
            [&] {
                return static_cast<std::size_t>(SendMessageA(Box, LVM_GETITEMCOUNT, 0, 0)) == count;
            },
            kShowWaitMs);
    }

    TWin32MainWindow Window{GetModuleHandleA(nullptr), TForm1::Rows()};
    TFakeClock Clock;
    TEventLog Log;
    HWND Box = nullptr;
};

TEST_F(LogBoxWineTest, ATicksBatchWithAZeroByteLineShowsEveryLineAndLogTxtHoldsTheSame) {
    ASSERT_NE(Box, nullptr);
    // A key that produces no character: "Got key " and a zero byte, amid a tick's lines.
    Log.LogEvent("Got key x");
    Log.LogEvent(std::string("Got key \0", 9));
    Log.LogEvent("Sending string Pit In");
    Log.LogEvent("Sending Key P");
    Log.LogEvent("");
    ASSERT_TRUE(ShownWithin(5));
    const std::vector<std::string> expected{"T      Got key x", "T      Got key ",
                                            "T      Sending string Pit In", "T      Sending Key P",
                                            "T      "};
    EXPECT_EQ(BoxLines(Box), expected);

    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "quorl-logbox-Log.txt";
    Log.Save(path);
    std::string saved;
    for (const std::string& line : expected) {
        saved += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(path), saved);
    DeleteFileA(path.c_str());
}

TEST_F(LogBoxWineTest, CtrlAThenCtrlCPutsEveryLineOnTheClipboardJoinedByCrLf) {
    ASSERT_NE(Box, nullptr);
    Log.LogEvent("one");
    Log.LogEvent(std::string("Got key \0", 9));
    Log.LogEvent("three \xE9");  // e acute in code page 1252
    ASSERT_TRUE(ShownWithin(3));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();

    SendWithCtrl(Box, 'A');
    EXPECT_EQ(SendMessageA(Box, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    SendWithCtrl(Box, 'C');
    EXPECT_EQ(ClipboardText<char>(CF_TEXT), "T      one\r\nT      Got key \r\nT      three \xE9");
    // Made by the system, the Unicode text would follow the input language's code page (Wine
    // cannot switch that): it must be the program's own, put right after CF_TEXT. Before both,
    // the marks that keep it out of the clipboard history and the cloud clipboard, with 0 each.
    std::vector<UINT> formats;
    EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT, &formats),
              L"T      one\r\nT      Got key \r\nT      three \u00E9");
    std::vector<UINT> first;
    for (const char* name : {"ExcludeClipboardContentFromMonitorProcessing",
                             "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"}) {
        first.push_back(RegisterClipboardFormatA(name));
        EXPECT_EQ(ClipboardText<char>(first.back()), "") << name << " (a DWORD 0 reads as \"\")";
    }
    first.insert(first.end(), {CF_TEXT, CF_UNICODETEXT});
    ASSERT_GE(formats.size(), first.size());
    EXPECT_EQ(std::vector<UINT>(formats.begin(), formats.begin() + 5), first);
}

// A format refused, whichever it is, leaves the clipboard empty: neither the text without its
// marks nor the marks alone. The seventh put is never asked for: that copy succeeds.
TEST_F(LogBoxWineTest, AFormatTheClipboardRefusesLeavesTheClipboardEmpty) {
    for (int refused = 1; refused <= 7; ++refused) {
        SCOPED_TRACE(refused);
        int puts = 0;
        EXPECT_EQ(PutTextOnClipboard(Box, "log",
                                     [&](UINT format, HANDLE block) {
                                         return ++puts == refused ? nullptr
                                                                  : SetClipboardData(format, block);
                                     }),
                  refused == 7);
        EXPECT_EQ(CountClipboardFormats() == 0, refused != 7);
    }
}

}  // namespace
