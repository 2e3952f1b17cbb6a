// The edit dialogs: a window class of ours run by DefDlgProcA, so that the dialog manager
// (IsDialogMessageA in the modal loop) gives it Tab, Esc and Enter like a dialog box.
#include "platform/win32/Win32EditDialogWindow.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32LastError.h"
#include "platform/win32/Win32ModalSession.h"

namespace {
constexpr const char* kClassName = "QuorlEditDialog";
constexpr int kMargin = 8;
constexpr int kPromptHeight = 14;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
}  // namespace

TWin32EditDialogWindow::TWin32EditDialogWindow(const TEditDialogLook& look) : Look(look) {
    // DefDlgProcA keeps its state in DLGWINDOWEXTRA bytes of the window, which a class of our
    // own must reserve.
    const TWin32WindowClass windowClass{kClassName, true,
                                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                        LoadCursor(nullptr, IDC_ARROW)};
    Create(windowClass, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, Look.Caption,
           WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, Look.Width, Look.Height, nullptr);
    Prompt = CreateChild("STATIC", Look.Prompt, SS_LEFT | SS_NOPREFIX, 0, kEditDialogPromptId);
    Edit =
        CreateChild("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEditDialogEditId);
    if (Look.UnlimitedText) {
        // A single-line edit takes at most 30,000 (Wine) or 32,767 (Windows) characters from
        // typing and pasting unless told otherwise; 0 lifts the limit to 0x7FFFFFFE.
        SendMessageA(Edit, EM_SETLIMITTEXT, 0, 0);
    }
    const DWORD okStyle = WS_TABSTOP | (Look.EnterMeansOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    OkButton =
        CreateChild("BUTTON", "OK", okStyle, 0, Look.EnterMeansOK ? IDOK : kEditDialogOkCommand);
    CancelButton =
        CreateChild("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, kEditDialogCancelCommand);
    LayOut();
    SetDpi(WindowDpi(Window));  // the font starts at the window's own DPI
}

// The prompt and the edit line across the top, OK and Cancel at the bottom right, all from
// their 96-DPI sizes; the client area is what the frame of the scaled window leaves.
void TWin32EditDialogWindow::LayOut() {
    const int dpi = Font.Dpi();
    const auto scale = [dpi](int valueAt96) { return ScaleToDpi(valueAt96, dpi); };
    RECT client;
    GetClientRect(Window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int margin = scale(kMargin);

    const int promptTop = scale(kMargin - 2);
    MoveWindow(Prompt, margin, promptTop, width - 2 * margin, scale(kPromptHeight), FALSE);
    const int editTop = promptTop + scale(kPromptHeight + 2);
    MoveWindow(Edit, margin, editTop, width - 2 * margin, scale(kEditHeight), FALSE);

    const int buttonWidth = scale(kButtonWidth);
    const int buttonHeight = scale(kButtonHeight);
    int buttonTop = height - margin - buttonHeight;
    if (buttonTop < editTop + scale(kEditHeight + 4)) {
        buttonTop = editTop + scale(kEditHeight + 4);
    }
    const int cancelLeft = width - margin - buttonWidth;
    MoveWindow(CancelButton, cancelLeft, buttonTop, buttonWidth, buttonHeight, FALSE);
    MoveWindow(OkButton, cancelLeft - scale(kButtonGap) - buttonWidth, buttonTop, buttonWidth,
               buttonHeight, FALSE);
}

// The window is hidden or about to be redrawn whole: the controls move without drawing.
void TWin32EditDialogWindow::SetDpi(int dpi) {
    if (dpi == Font.Dpi()) {
        return;
    }
    Font.SetDpi(dpi, {Prompt, Edit, OkButton, CancelButton});
    SetWindowPos(Window, nullptr, 0, 0, ScaleToDpi(Look.Width, dpi), ScaleToDpi(Look.Height, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

// The font outlives the controls that use it.
TWin32EditDialogWindow::~TWin32EditDialogWindow() {
    Destroy();
}

HWND TWin32EditDialogWindow::CreateChild(const char* className,
                                         const char* text,
                                         DWORD style,
                                         DWORD exStyle,
                                         int id) {
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                                 10, Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (child == nullptr) {
        ThrowLastError("Create window", std::string(Look.Caption) + " " + text);
    }
    Font.ApplyTo(child);
    return child;
}

void TWin32EditDialogWindow::SetCaption(const std::string& caption) {
    SetWindowTextA(Window, caption.c_str());
}

void TWin32EditDialogWindow::SetPrompt(const std::string& prompt) {
    SetWindowTextA(Prompt, prompt.c_str());
}

std::string TWin32EditDialogWindow::Text() const {
    // WM_GETTEXTLENGTH may overstate the length (never understate it); the copy's own count
    // is the real one.
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(Edit)) + 1, '\0');
    const int copied = GetWindowTextA(Edit, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void TWin32EditDialogWindow::SetText(const std::string& text) {
    // WM_SETTEXT makes the edit send EN_CHANGE even for the same text: set only a change.
    if (Text() != text) {
        SetWindowTextA(Edit, text.c_str());
    }
}

TModalResult TWin32EditDialogWindow::ShowModal(HWND owner) {
    Result = TModalResult::None;
    // It opens centred over its owner: at the DPI of the owner's monitor, not the one it was
    // last shown on.
    SetDpi(MonitorDpiNear(owner));
    TWin32ModalSession session(Window, owner, Edit, Showing);
    // The whole line is selected on entry, so that typing replaces it.
    SendMessageA(Edit, EM_SETSEL, 0, -1);
    return session.Run(Result, true);
}

LRESULT TWin32EditDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int command = LOWORD(wParam);
            if (!Showing || Result != TModalResult::None) {
                return 0;
            }
            if (command == kEditDialogOkCommand || (command == IDOK && Look.EnterMeansOK)) {
                Result = TModalResult::OK;
            } else if (command == kEditDialogCancelCommand) {
                Result = TModalResult::Cancel;
            }
            // IDOK without a default button is Enter in the edit line: nothing happens.
            return 0;
        }
        case DM_GETDEFID:
            // DefDlgProcA would name a push button that once had the focus as the default one,
            // and IsDialogMessageA would then click it for Enter.
            return Look.EnterMeansOK ? MAKELRESULT(IDOK, DC_HASDEFID) : 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another scale: placed where Windows suggests, at the
            // 96-DPI size for the new DPI; the controls are laid out in what it leaves.
            Font.SetDpi(HIWORD(wParam), {Prompt, Edit, OkButton, CancelButton});
            MoveForDpiChange(Window, *reinterpret_cast<const RECT*>(lParam),
                             {Look.Width, Look.Height}, HIWORD(wParam));
            LayOut();
            InvalidateRect(Window, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            // The close command; DefDlgProcA would post IDCANCEL, we end at once. The window
            // is only hidden, to be shown again next time.
            if (Showing && Result == TModalResult::None) {
                Result = TModalResult::Cancel;
            }
            return 0;
        default:
            return DefaultProc(message, wParam, lParam);
    }
}
