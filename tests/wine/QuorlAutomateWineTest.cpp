// quorl-automate.exe against a window of the test's own: finding, reading, setting, clicking,
// closing and focusing, with the exit codes the end-to-end scripts rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/wine/AutomateProcess.h"
#include "tests/wine/TargetWindow.h"

namespace {

constexpr const char* kProbeCaption = "Quorl automation probe";

enum TProbeId : int { kNameEdit = 10, kNoteEdit = 11, kPressButton = 12 };

// A window laid out like ours: a label left of its box, a label above its box, a button.
class TProbeWindow {
  public:
    TProbeWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TProbeWindow::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "QuorlAutomationProbe";
        RegisterClassA(&windowClass);
        Window =
            CreateWindowExA(0, "QuorlAutomationProbe", kProbeCaption, WS_OVERLAPPEDWINDOW, 400, 40,
                            300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Created in the order the lookups must not depend on: the edits before the labels.
        NameEdit = Child("EDIT", "Rossi", 80, 10, 150, 21, kNameEdit, WS_EX_CLIENTEDGE);
        NoteEdit = Child("EDIT", "first note", 10, 66, 220, 21, kNoteEdit, WS_EX_CLIENTEDGE);
        Child("STATIC", "&Name", 10, 12, 60, 16, 0, 0);
        Child("STATIC", "Note", 10, 48, 60, 16, 0, 0);
        Child("BUTTON", "&Press", 10, 100, 75, 23, kPressButton, 0);
        ShowWindow(Window, SW_SHOW);
        UpdateWindow(Window);
    }

    HWND Window = nullptr;
    HWND NameEdit = nullptr;
    HWND NoteEdit = nullptr;
    int Presses = 0;
    int Closes = 0;

  private:
    HWND Child(const char* className,
               const char* text,
               int left,
               int top,
               int width,
               int height,
               int id,
               DWORD exStyle) {
        return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, left,
                               top, width, height, Window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TProbeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message == WM_COMMAND && LOWORD(wParam) == kPressButton &&
            HIWORD(wParam) == BN_CLICKED) {
            ++self->Presses;
            return 0;
        }
        if (self != nullptr && message == WM_CLOSE) {
            ++self->Closes;  // kept open: destroying a window costs seconds under Wine
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

TProbeWindow& Probe() {
    static auto* probe = new TProbeWindow();
    return *probe;
}

std::string TextOf(HWND edit) {
    char text[256] = {};
    GetWindowTextA(edit, text, sizeof text);
    return text;
}

class QuorlAutomateWineTest : public testing::Test {
  protected:
    void SetUp() override { probe = &Probe(); }
    TProbeWindow* probe = nullptr;
};

TEST_F(QuorlAutomateWineTest, FindsShownWindowsByCaptionAndListsThem) {
    EXPECT_EQ(RunAutomate({"exists", kProbeCaption}).ExitCode, 0);
    EXPECT_EQ(RunAutomate({"exists", "No such window"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"wait-window", kProbeCaption, "1000"}).ExitCode, 0);
    EXPECT_EQ(RunAutomate({"wait-window", "No such window", "100"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"wait-gone", "No such window", "100"}).ExitCode, 0);
    EXPECT_EQ(RunAutomate({"wait-gone", kProbeCaption, "100"}).ExitCode, 1);

    const TAutomateResult list = RunAutomate({"list"});
    EXPECT_EQ(list.ExitCode, 0);
    EXPECT_NE(list.Output.find("\tQuorlAutomationProbe\tQuorl automation probe\n"),
              std::string::npos)
        << list.Output;
    EXPECT_EQ(list.Output.find('\r'), std::string::npos);
}

TEST_F(QuorlAutomateWineTest, ReadsAndSetsEditsByLabelOrIndex) {
    SetWindowTextA(probe->NameEdit, "Rossi");
    SetWindowTextA(probe->NoteEdit, "first note");
    EXPECT_EQ(RunAutomate({"get-text", kProbeCaption, "Name"}).Output, "Rossi");
    EXPECT_EQ(RunAutomate({"get-text", kProbeCaption, "Note"}).Output, "first note");
    EXPECT_EQ(RunAutomate({"get-text", kProbeCaption, "#1"}).Output, "first note");

    EXPECT_EQ(RunAutomate({"set-text", kProbeCaption, "Note", "Box box"}).ExitCode, 0);
    EXPECT_EQ(TextOf(probe->NoteEdit), "Box box");
    EXPECT_EQ(RunAutomate({"set-text", kProbeCaption, "#0", "Marquez"}).ExitCode, 0);
    EXPECT_EQ(TextOf(probe->NameEdit), "Marquez");
}

TEST_F(QuorlAutomateWineTest, ClicksButtonsAndClosesWindows) {
    probe->Presses = 0;
    probe->Closes = 0;
    EXPECT_EQ(RunAutomate({"click", kProbeCaption, "Press"}).ExitCode, 0);
    EXPECT_TRUE(PumpUntil([&] { return probe->Presses == 1; }, 2000));
    EXPECT_EQ(RunAutomate({"close", kProbeCaption}).ExitCode, 0);
    EXPECT_TRUE(PumpUntil([&] { return probe->Closes == 1; }, 2000));
}

TEST_F(QuorlAutomateWineTest, FocusMakesTheWindowTheForegroundWithTheKeyboardFocus) {
    ASSERT_TRUE(SharedTarget().TakeFocus());
    EXPECT_EQ(RunAutomate({"focus", kProbeCaption}).ExitCode, 0);
    EXPECT_EQ(GetForegroundWindow(), probe->Window);
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == probe->Window || IsChild(probe->Window, focus));
}

TEST_F(QuorlAutomateWineTest, ReportsWhatItCannotFindOrDo) {
    EXPECT_EQ(RunAutomate({"click", kProbeCaption, "No such button"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"get-text", kProbeCaption, "No such label"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"get-text", kProbeCaption, "#7"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"close", "No such window"}).ExitCode, 1);
    EXPECT_EQ(RunAutomate({"click", kProbeCaption}).ExitCode, 2);
    EXPECT_EQ(RunAutomate({"frobnicate", kProbeCaption}).ExitCode, 2);
    const TAutomateResult help = RunAutomate({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Output.find("usage: quorl-automate"), std::string::npos);
}

}  // namespace
