// The "Set Key" window: closes on the first character typed, control characters included.
#include "platform/win32/Win32KeyCaptureWindow.h"

#include "platform/win32/Win32LastError.h"

namespace {
constexpr const char* kClassName = "QuorlKeyCapture";
constexpr const char* kCaption = "Set Key";
constexpr const char* kPrompt = "Press the key you want to use";
constexpr int kClientWidth = 168;
constexpr int kClientHeight = 72;
}  // namespace

TWin32KeyCaptureWindow::TWin32KeyCaptureWindow(TOwnerSource owner) : Owner(std::move(owner)) {
    const TWin32WindowClass windowClass{kClassName, false,
                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                        LoadCursor(nullptr, IDC_ARROW)};
    // WS_POPUP without WS_CAPTION or WS_SYSMENU: no border and no system buttons, so the
    // window's size is its client area.
    Create(windowClass, 0, kCaption, WS_POPUP, 0, 0, kClientWidth, kClientHeight, nullptr);
    Label = CreateWindowExA(0, "STATIC", kPrompt, WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 10, 10,
                            Window, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (Label == nullptr) {
        ThrowLastError("Create window", kPrompt);
    }
    Font.ApplyTo(Label);
    LayOut();
    SetDpi(WindowDpi(Window));  // the font starts at the window's own DPI
}

// Room for two lines: where "MS Sans Serif" is replaced by a wider font (Wine), the centred
// prompt wraps instead of losing its last word.
void TWin32KeyCaptureWindow::LayOut() {
    const int dpi = Font.Dpi();
    MoveWindow(Label, ScaleToDpi(4, dpi), ScaleToDpi(20, dpi), ScaleToDpi(kClientWidth - 8, dpi),
               ScaleToDpi(32, dpi), FALSE);
}

// The window is hidden or about to be redrawn whole: the controls move without drawing.
void TWin32KeyCaptureWindow::SetDpi(int dpi) {
    if (dpi == Font.Dpi()) {
        return;
    }
    Font.SetDpi(dpi, {Label});
    SetWindowPos(Window, nullptr, 0, 0, ScaleToDpi(kClientWidth, dpi),
                 ScaleToDpi(kClientHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

// The font outlives the label that uses it.
TWin32KeyCaptureWindow::~TWin32KeyCaptureWindow() {
    Destroy();
}

// Runs its own loop without IsDialogMessageA, which would turn Enter, Esc and Tab into
// commands and focus moves: TranslateMessage makes WM_CHAR of every key that produces a
// character, and the first one ends the loop. onCharacter runs here, outside the window
// procedure, so that what it throws reaches the caller and never crosses a Win32 callback.
TModalResult TWin32KeyCaptureWindow::ShowModal(
    const std::function<void(std::uint8_t)>& onCharacter) {
    Result = TModalResult::None;
    HWND owner = reinterpret_cast<HWND>(Owner ? Owner() : 0);
    // It opens centred over its owner: at the DPI of the owner's monitor, not the one it was
    // last shown on.
    SetDpi(MonitorDpiNear(owner));
    TWin32ModalSession session(Window, owner, Window, Showing);
    const TModalResult result = session.Run(Result, false);
    if (result == TModalResult::OK && onCharacter) {
        onCharacter(Captured);
    }
    return result;
}

LRESULT TWin32KeyCaptureWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // Should a dialog manager ever see our keys, it must leave every one of them to us.
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_CHAR:
            // For a window of an "A" class, WM_CHAR carries the 8-bit character of the key.
            if (Showing && Result == TModalResult::None) {
                Captured = static_cast<std::uint8_t>(wParam);
                Result = TModalResult::OK;
            }
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another scale: placed where Windows suggests, at the
            // 96-DPI size for the new DPI.
            SetDpi(HIWORD(wParam));
            MoveForDpiChange(Window, *reinterpret_cast<const RECT*>(lParam),
                             {kClientWidth, kClientHeight}, HIWORD(wParam));
            InvalidateRect(Window, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            // The close command (SC_CLOSE becomes WM_CLOSE in DefWindowProcA): the window is
            // only hidden, to be shown again next time.
            if (Showing && Result == TModalResult::None) {
                Result = TModalResult::Cancel;
            }
            return 0;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}
