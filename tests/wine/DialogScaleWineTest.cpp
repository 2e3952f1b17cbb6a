// The dialogs at every display scale under Wine: each opens at the DPI of its monitor, its
// client area is its 96-DPI one at that DPI, and no text is cut by its control.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32KeyCaptureWindow.h"
#include "platform/win32/Win32MessageEntryWindow.h"
#include "tests/wine/AutomateProcess.h"
#include "tests/wine/ModalScript.h"
#include "tools/automation/WindowFinder.h"

namespace {

constexpr const char* kScaleTest =
    "DialogScaleWineTest.EachDialogOpensAtTheDisplaysDpiAndCutsNoText";
// The client areas at 96 DPI: "Set Key" is borderless, the framed dialogs give what their
// 412 x 106 and 320 x 128 windows leave inside Wine's frame at 96 DPI.
constexpr SIZE kKeyCaptureClient{168, 72};
constexpr SIZE kMessageEntryWindow{412, 106};
constexpr SIZE kInputBoxWindow{320, 128};

int Scaled(int valueAt96, int dpi) {
    return MulDiv(valueAt96, dpi, 96);
}

// Windows created while the thread is per-monitor aware (V2) are so, as the program's are by
// its manifest; the test executable has no manifest. Restored when the test ends.
class TPerMonitorAwareThread {
  public:
    TPerMonitorAwareThread() {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        SetContext = reinterpret_cast<TSetContext>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
        if (SetContext != nullptr) {
            // Wine 8 knows only the first per-monitor awareness, not V2.
            Previous = SetContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
            if (Previous == nullptr) {
                Previous = SetContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
            }
        }
    }
    ~TPerMonitorAwareThread() {
        if (SetContext != nullptr && Previous != nullptr) {
            SetContext(Previous);
        }
    }
    bool Aware() const { return Previous != nullptr; }

  private:
    using TSetContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    TSetContext SetContext = nullptr;
    DPI_AWARENESS_CONTEXT Previous = nullptr;
};

struct TDialogFigures {
    int Dpi = 0;
    POINT Origin{};  // of the window, on the screen
    SIZE Window{};
    SIZE Client{};
    LONG FontHeight = 0;  // lfHeight of the controls' font
    std::string Faults;   // every control whose text does not fit, or that leaves the client
};

std::string Text(HWND control) {
    char text[256] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
}

// Measures each child with its own font (WM_GETFONT), as it draws: a label's text, wrapped at
// the label's width, must fit its height; a button's caption must fit inside its frame; an edit
// line must be as tall as the font's line.
TDialogFigures Measure(HWND window) {
    TDialogFigures figures;
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    figures.Dpi = getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    RECT outer;
    GetWindowRect(window, &outer);
    figures.Origin = {outer.left, outer.top};
    figures.Window = {outer.right - outer.left, outer.bottom - outer.top};
    RECT client;
    GetClientRect(window, &client);
    figures.Client = {client.right, client.bottom};
    const auto fault = [&](HWND control, const std::string& what) {
        figures.Faults += ClassOf(control) + " \"" + Text(control) + "\": " + what + "; ";
    };
    std::vector<RECT> places;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        RECT inside;
        IntersectRect(&inside, &place, &client);
        if (!EqualRect(&inside, &place)) {
            fault(child, "reaches out of the client area");
        }
        for (const RECT& other : places) {
            RECT overlap;
            if (IntersectRect(&overlap, &place, &other)) {
                fault(child, "overlaps another control");
            }
        }
        places.push_back(place);

        auto* font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        GetObjectA(font, sizeof logFont, &logFont);
        figures.FontHeight = logFont.lfHeight;
        RECT area;
        GetClientRect(child, &area);
        HDC dc = GetDC(child);
        HGDIOBJ oldFont = SelectObject(dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        const std::string text = Text(child);
        const std::string kind = ClassOf(child);
        if (kind == "Static") {
            RECT needed{0, 0, area.right, 0};
            DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            if (needed.right > area.right || needed.bottom > area.bottom) {
                fault(child, "needs " + std::to_string(needed.right) + " x " +
                                 std::to_string(needed.bottom) + ", has " +
                                 std::to_string(area.right) + " x " + std::to_string(area.bottom));
            }
        } else if (kind == "Button") {
            SIZE extent{};
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            // The push button's frame and focus rectangle take a few pixels on each side.
            const int frameX = 2 * GetSystemMetrics(SM_CXEDGE) + 2;
            const int frameY = 2 * GetSystemMetrics(SM_CYEDGE);
            if (extent.cx + 2 * frameX > area.right ||
                metrics.tmHeight + 2 * frameY > area.bottom) {
                fault(child, "caption " + std::to_string(extent.cx) + " x " +
                                 std::to_string(metrics.tmHeight) + " in " +
                                 std::to_string(area.right) + " x " + std::to_string(area.bottom));
            }
        } else if (kind == "Edit" && metrics.tmHeight > area.bottom) {
            fault(child, "line " + std::to_string(metrics.tmHeight) + " high in " +
                             std::to_string(area.bottom));
        }
        SelectObject(dc, oldFont);
        ReleaseDC(child, dc);
    }
    return figures;
}

void Print(const char* caption, const TDialogFigures& figures) {
    std::printf("%s at %d DPI: window %ld x %ld, client %ld x %ld, font height %ld\n", caption,
                figures.Dpi, figures.Window.cx, figures.Window.cy, figures.Client.cx,
                figures.Client.cy, figures.FontHeight);
}

// A move to a monitor of another scale while the dialog is open, as Windows makes it: the
// dialog was sized for `ToDpi` (it opens at its owner's monitor's DPI) while on a monitor of
// `FromDpi`, and WM_DPICHANGED suggests a rectangle that keeps that physical size, scaling the
// size once more. The dialog gets such a rectangle, moved a little.
struct TMove {
    int FromDpi;
    int ToDpi;
};

// Shows a dialog with `show`, measures it once shown, optionally after a move, and closes it.
TDialogFigures MeasureShown(const char* caption,
                            const std::function<void()>& show,
                            const TMove* move = nullptr) {
    TDialogFigures figures;
    TModalScript script(caption);
    RECT suggested{};
    script.WhenShown()
        .Then([&] {
            if (move != nullptr) {
                const int dpi = Measure(script.Window()).Dpi;
                GetWindowRect(script.Window(), &suggested);
                const auto twice = [&](LONG size) {
                    return MulDiv(MulDiv(size, move->ToDpi, dpi), move->ToDpi, move->FromDpi);
                };
                const SIZE size{twice(suggested.right - suggested.left),
                                twice(suggested.bottom - suggested.top)};
                OffsetRect(&suggested, 16, 24);
                suggested.right = suggested.left + size.cx;
                suggested.bottom = suggested.top + size.cy;
                SendMessageA(script.Window(), WM_DPICHANGED, MAKEWPARAM(move->ToDpi, move->ToDpi),
                             reinterpret_cast<LPARAM>(&suggested));
            }
            return true;
        })
        .Then([&] {
            figures = Measure(script.Window());
            if (move != nullptr) {
                figures.Dpi = move->ToDpi;  // a sent WM_DPICHANGED does not move the window
                EXPECT_EQ(figures.Origin.x, suggested.left) << caption;
                EXPECT_EQ(figures.Origin.y, suggested.top) << caption;
            }
            PostMessageA(script.Window(), WM_CLOSE, 0, 0);
            return true;
        });
    show();
    EXPECT_FALSE(script.TimedOut()) << caption;
    return figures;
}

TWindowHandle NoOwner() {
    return 0;
}

// What the display is set to: LOGPIXELSY of the screen, seen from a per-monitor aware thread.
int DisplayDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void ExpectScaledTo(int dpi,
                    const TDialogFigures& keyCapture,
                    const TDialogFigures& messageEntry,
                    const TDialogFigures& inputBox) {
    EXPECT_EQ(keyCapture.Dpi, dpi);
    EXPECT_EQ(keyCapture.Client.cx, Scaled(kKeyCaptureClient.cx, dpi));
    EXPECT_EQ(keyCapture.Client.cy, Scaled(kKeyCaptureClient.cy, dpi));
    EXPECT_EQ(messageEntry.Window.cx, Scaled(kMessageEntryWindow.cx, dpi));
    EXPECT_EQ(messageEntry.Window.cy, Scaled(kMessageEntryWindow.cy, dpi));
    EXPECT_EQ(inputBox.Window.cx, Scaled(kInputBoxWindow.cx, dpi));
    EXPECT_EQ(inputBox.Window.cy, Scaled(kInputBoxWindow.cy, dpi));
    for (const TDialogFigures* figures : {&keyCapture, &messageEntry, &inputBox}) {
        EXPECT_EQ(figures->FontHeight, -Scaled(11, dpi));
        EXPECT_EQ(figures->Faults, "");
    }
}

// The dialogs at the display's DPI: 96 in the suite's own Wine prefix, and whatever LogPixels
// the next test sets when it runs this one in a process of its own (QUORL_EXPECTED_DPI).
TEST(DialogScaleWineTest, EachDialogOpensAtTheDisplaysDpiAndCutsNoText) {
    TPerMonitorAwareThread aware;
    ASSERT_TRUE(aware.Aware());
    const int dpi = DisplayDpi();
    if (const char* expected = std::getenv("QUORL_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the display was not set to the scale asked for";
    }
    TWin32KeyCaptureWindow keyCapture(&NoOwner);
    TWin32MessageEntryWindow messageEntry(&NoOwner);
    TWin32Dialogs dialogs(&NoOwner);
    EXPECT_EQ(Measure(keyCapture.Handle()).FontHeight, -Scaled(11, dpi)) << "before its show";
    EXPECT_EQ(Measure(messageEntry.Handle()).FontHeight, -Scaled(11, dpi)) << "before its show";
    const TDialogFigures keyFigures =
        MeasureShown("Set Key", [&] { keyCapture.ShowModal(nullptr); });
    const TDialogFigures messageFigures =
        MeasureShown("New Message Dialog", [&] { messageEntry.ShowModal(); });
    const TDialogFigures inputFigures = MeasureShown("Wait Time Edit", [&] {
        dialogs.InputBox("Wait Time Edit", "Enter new time in seconds", "30");
    });
    Print("Set Key", keyFigures);
    Print("New Message Dialog", messageFigures);
    Print("Wait Time Edit", inputFigures);
    ExpectScaledTo(dpi, keyFigures, messageFigures, inputFigures);
}

// A dialog moved to a monitor of another scale while it is open takes the new DPI, at its
// layout's size there whatever size Windows suggests, every control inside; shown again over
// its owner, it takes the owner's monitor's DPI back.
TEST(DialogScaleWineTest, AnOpenDialogFollowsWmDpiChangedAndOpensAgainAtItsMonitorsDpi) {
    TPerMonitorAwareThread aware;
    const int dpi = DisplayDpi();
    TWin32KeyCaptureWindow keyCapture(&NoOwner);
    TWin32MessageEntryWindow messageEntry(&NoOwner);
    TWin32Dialogs dialogs(&NoOwner);
    const auto showKey = [&] { keyCapture.ShowModal(nullptr); };
    const auto showMessage = [&] { messageEntry.ShowModal(); };
    const auto showInput = [&] {
        dialogs.InputBox("Wait Time Edit", "Enter new time in seconds", "30");
    };
    for (const TMove& move : {TMove{dpi, dpi * 2}, TMove{96, 144}, TMove{144, 96}}) {
        SCOPED_TRACE(std::to_string(move.FromDpi) + " to " + std::to_string(move.ToDpi) + " DPI");
        ExpectScaledTo(move.ToDpi, MeasureShown("Set Key", showKey, &move),
                       MeasureShown("New Message Dialog", showMessage, &move),
                       MeasureShown("Wait Time Edit", showInput, &move));
    }
    ExpectScaledTo(dpi, MeasureShown("Set Key", showKey),
                   MeasureShown("New Message Dialog", showMessage),
                   MeasureShown("Wait Time Edit", showInput));
}

// Sets LogPixels, which Wine gives to the programs started afterwards, and puts the old value
// back (96 when there was none) whatever happens.
class TDisplayScale {
  public:
    explicit TDisplayScale(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &Key, nullptr);
        DWORD size = sizeof Old;
        if (RegQueryValueExA(Key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&Old),
                             &size) != ERROR_SUCCESS) {
            Old = 96;
        }
        Set(dpi);
    }
    ~TDisplayScale() {
        Set(Old);
        RegCloseKey(Key);
    }
    TDisplayScale(const TDisplayScale&) = delete;
    TDisplayScale& operator=(const TDisplayScale&) = delete;

  private:
    void Set(DWORD dpi) {
        RegSetValueExA(Key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    HKEY Key = nullptr;
    DWORD Old = 96;
};

TEST(DialogScaleWineTest, AtOneHundredTwentyFiveOneHundredFiftyAndTwoHundredPercent) {
    for (const DWORD dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        TAutomateResult run;
        {
            TDisplayScale scale(dpi);
            SetEnvironmentVariableA("QUORL_EXPECTED_DPI", std::to_string(dpi).c_str());
            run =
                RunBesideTests(ThisExecutableName(), {std::string("--gtest_filter=") + kScaleTest});
            SetEnvironmentVariableA("QUORL_EXPECTED_DPI", nullptr);
        }
        EXPECT_EQ(run.ExitCode, 0) << run.Output;
        EXPECT_NE(run.Output.find("[  PASSED  ] 1 test"), std::string::npos) << run.Output;
        for (std::size_t line = run.Output.find(" DPI: "); line != std::string::npos;
             line = run.Output.find(" DPI: ", line + 1)) {
            const std::size_t begin = run.Output.rfind('\n', line) + 1;
            std::printf("%s\n",
                        run.Output.substr(begin, run.Output.find('\n', line) - begin).c_str());
        }
    }
}

}  // namespace
