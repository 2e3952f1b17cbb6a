// The main window: builds its controls, routes clicks, ticks, show and close to the
// application, and keeps runtime errors inside the window procedure.
#include "platform/win32/Win32MainWindow.h"

#include <algorithm>
#include <string>

#include "platform/Exception.h"
#include "platform/win32/MainWindowIds.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32LastError.h"
#include "platform/win32/Win32OwnKeystrokeFilter.h"
#include "platform/win32/Win32SaveButton.h"
#include "platform/win32/resources/ResourceIds.h"

namespace {

constexpr const char* kClassName = kMainWindowClassName;
constexpr const char* kCaption = kMainWindowCaption;
constexpr int kWindowWidth = 484;
constexpr int kWindowHeight = 436;

// Layout at 96 DPI: seven rows from the top, a label left of each box and its button right.
constexpr int kMargin = 8;
constexpr int kRowHeight = 32;
constexpr int kLabelWidth = 96;
constexpr int kBoxX = kMargin + kLabelWidth + 4;
constexpr int kNarrowBoxWidth = 96;
constexpr int kWideBoxWidth = 232;
constexpr int kBoxHeight = 21;
constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 25;
constexpr int kEndButtonWidth = 80;
constexpr int kLabelIdBase = 300;

// The read-only boxes take the focus too, so that their text can be selected and copied.
constexpr DWORD kBox = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

int RowTop(int row) {
    return kMargin + row * kRowHeight;
}

}  // namespace

// The window is a dialog to the dialog manager (DefDlgProcA, fed by IsDialogMessageA in the
// message loops), as a form is: Tab and Shift+Tab go through the controls in their creation
// order, and the focus comes back to the control that last had it when the window is activated.
TWin32MainWindow::TWin32MainWindow(HINSTANCE instance, TMainWindowRows rows)
    : Instance(instance), Rows(rows) {
    TWin32WindowClass windowClass{kClassName, true, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                  LoadCursor(nullptr, IDC_ARROW)};
    // The program's own icon, from its resources; LR_SHARED icons are never destroyed by us.
    windowClass.Icon = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(IDI_QUORLWAIT),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.SmallIcon = static_cast<HICON>(
        LoadImageA(Instance, MAKEINTRESOURCEA(IDI_QUORLWAIT), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    // Created at its size for 96 DPI; WM_CREATE learns the window's DPI, and the window is
    // then grown to match while it is still hidden.
    try {
        Create(windowClass, WS_EX_CONTROLPARENT, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
               CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr);
    } catch (...) {
        DeleteFont();
        throw;
    }
    if (Dpi != kDefaultDpi) {
        SetWindowPos(Window, nullptr, 0, 0, Scale(kWindowWidth), Scale(kWindowHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Timer1 runs from the window's creation; its ticks before Connect are dropped.
    SetTimer(Window, kTimer1Id, kTimer1IntervalMs, nullptr);
}

// The controls go before the font they use.
TWin32MainWindow::~TWin32MainWindow() {
    Destroy();
    DeleteFont();
}

void TWin32MainWindow::DeleteFont() {
    if (Font != nullptr) {
        DeleteObject(Font);
        Font = nullptr;
    }
}

void TWin32MainWindow::Show() {
    // The show handler runs before the window appears, the shown handler right after; once.
    const bool first = !Shown;
    if (first) {
        Shown = true;
        if (Events != nullptr) {
            RunGuarded([this] { Events->FormShow(); });
        }
    }
    ShowWindow(Window, SW_SHOW);
    if (first) {
        // The window opens with the focus on its first box, as a form does; a window created
        // without a dialog template has no control to give it to (WM_INITDIALOG never comes).
        SendMessageA(Window, WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetNextDlgTabItem(Window, nullptr, FALSE)), TRUE);
    }
    UpdateWindow(Window);
    if (first) {
        CreateLogBox();
    }
    LogBox.Flush();
    if (first && Events != nullptr) {
        RunGuarded([this] { Events->FormShown(); });
    }
}

// Created row by row, box, button and end button, which is the Tab order too; LayOut places
// the end buttons. The log box comes last, once the window is up (CreateLogBox).
void TWin32MainWindow::CreateControls() {
    int row = 0;
    for (const TMainWindowRow& r : Rows) {
        const int top = RowTop(row);
        const int boxWidth = r.WideBox ? kWideBoxWidth : kNarrowBoxWidth;
        AddControl("STATIC", r.Label, WS_CHILD | WS_VISIBLE | SS_LEFT, kLabelIdBase + row, kMargin,
                   top + 3, kLabelWidth, kBoxHeight);
        const DWORD boxStyle = kBox | (r.ReadOnly ? ES_READONLY : 0);
        Boxes.push_back(std::make_unique<TWin32TextBox>(
            AddControl("EDIT", "", boxStyle, r.BoxId, kBoxX, top, boxWidth, kBoxHeight)));
        AddControl("BUTTON", r.ButtonCaption, kButton, r.ButtonId, kBoxX + boxWidth + 8, top - 2,
                   kButtonWidth, kButtonHeight);
        if (r.EndButtonId != 0) {
            EndButtons.emplace_back(
                AddControl("BUTTON", r.EndButtonCaption, kButton | BS_OWNERDRAW, r.EndButtonId, 0,
                           top - 2, kEndButtonWidth, kButtonHeight),
                row);
        }
        ++row;
    }
    LayOut();
}

// The log box is comctl32's list view, and under Wine the first one costs a tenth of a second
// (comctl32's start, measured): it is made right after the window first appeared, last in the
// Tab order as before. What was logged until then shows at once.
void TWin32MainWindow::CreateLogBox() {
    Memo = AddControl(TWin32LogBox::ClassName(), "", TWin32LogBox::kStyle, kMemo1Id, kMargin,
                      RowTop(static_cast<int>(Rows.size())), 100, 100);
    LogBox.Attach(Memo);
    LayOut();
}

ITextBox& TWin32MainWindow::Box(int boxId) {
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        if (Rows[i].BoxId == boxId) {
            return *Boxes.at(i);
        }
    }
    throw Exception("Main window: no box " + std::to_string(boxId));
}

bool TWin32MainWindow::IsRowButton(int id) const {
    return std::ranges::any_of(
        Rows, [id](const TMainWindowRow& r) { return r.ButtonId == id || r.EndButtonId == id; });
}

bool TWin32MainWindow::ReportsChange(int boxId) const {
    return std::ranges::any_of(
        Rows, [boxId](const TMainWindowRow& r) { return r.BoxId == boxId && r.ReportsChange; });
}

// Places are given at 96 DPI; LayOut puts every control at the window's DPI.
HWND TWin32MainWindow::AddControl(const char* className,
                                  const char* text,
                                  DWORD style,
                                  int id,
                                  int x,
                                  int y,
                                  int width,
                                  int height) {
    // Each control a group of its own: the arrow keys never move the focus onto a label.
    HWND control = CreateWindowExA(
        0, className, text, style | WS_GROUP, Scale(x), Scale(y), Scale(width), Scale(height),
        Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance, nullptr);
    if (control == nullptr) {
        ThrowLastError("Create window", std::string(kCaption) + " " + text);
    }
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    Placements.push_back({control, {x, y, x + width, y + height}});
    return control;
}

int TWin32MainWindow::Scale(int valueAt96) const {
    return MulDiv(valueAt96, Dpi, kDefaultDpi);
}

// The font follows the DPI; the old one is deleted only after every control has the new one.
void TWin32MainWindow::SetDpi(int dpi) {
    Dpi = dpi;
    HFONT oldFont = Font;
    Font = CreateWindowFont(Dpi);
    for (const TPlacement& placement : Placements) {
        SendMessageA(placement.Control, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    }
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
}

// WM_DPICHANGED: the window moved to a monitor of another DPI (or the user changed the scale).
// Windows suggests a rectangle that keeps the window's size in physical terms; taking it is
// what keeps the window from jumping back and forth between two monitors.
void TWin32MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    SetDpi(dpi);
    SetWindowPos(Window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // WM_SIZE lays out only when the size changed; the places changed with the DPI anyway.
    PlaceAtDpi();
    LayOut();
    InvalidateRect(Window, nullptr, TRUE);
}

// The controls that keep their place whatever the window's size, at the window's DPI; they are
// made there, so only a change of DPI moves them.
void TWin32MainWindow::PlaceAtDpi() {
    const auto isEndButton = [this](HWND control) {
        return std::ranges::any_of(EndButtons,
                                   [control](const auto& end) { return end.first == control; });
    };
    for (const TPlacement& placement : Placements) {
        if (placement.Control == Memo || isEndButton(placement.Control)) {
            continue;
        }
        const RECT& r = placement.At96;
        MoveWindow(placement.Control, Scale(r.left), Scale(r.top), Scale(r.right - r.left),
                   Scale(r.bottom - r.top), TRUE);
    }
}

// The log fills the rest below the rows and grows with the window; an end button stays at the
// right end of its row.
void TWin32MainWindow::LayOut() {
    RECT client;
    GetClientRect(Window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int margin = Scale(kMargin);
    const int memoTop = Scale(RowTop(static_cast<int>(Rows.size())));
    MoveWindow(Memo, margin, memoTop, std::max(width - 2 * margin, 0),
               std::max(height - memoTop - margin, 0), TRUE);
    LogBox.FitColumn();
    const int endWidth = Scale(kEndButtonWidth);
    for (const auto& [button, row] : EndButtons) {
        MoveWindow(button, std::max(width - margin - endWidth, 0), Scale(RowTop(row) - 2), endWidth,
                   Scale(kButtonHeight), TRUE);
    }
}

void TWin32MainWindow::OnCommand(int id, int notification) {
    if (Events == nullptr) {
        return;
    }
    // For Enter, IsDialogMessageA sends the focused push button's own click (the dialog manager
    // shows it as the default while it has the focus), else IDOK, the window naming no default
    // button (DM_GETDEFID). An owner-drawn end button is never a default one: Enter on it comes
    // as IDOK and clicks it; in a box IDOK finds no button, as IDCANCEL for Esc does.
    if (id == IDOK) {
        HWND focus = GetFocus();
        id = focus != nullptr && GetParent(focus) == Window ? GetDlgCtrlID(focus) : 0;
        notification = BN_CLICKED;
    }
    if (notification == BN_CLICKED && IsRowButton(id)) {
        RunGuarded([this, id] { Events->Clicked(id); });
    } else if (notification == EN_CHANGE && ReportsChange(id)) {
        RunGuarded([this, id] { Events->Changed(id); });
    }
}

// The save runs at every close; when it fails the error is shown and the window stays open.
// The window is hidden while the settings are saved, which may take long (a network folder, a
// virus scanner): a copy started meanwhile sees it closing, and waits for it to end instead of
// taking it for a copy that stays (Win32SingleInstance). It is shown again before the error.
void TWin32MainWindow::OnClose() {
    const bool wasShown = ShowWindow(Window, SW_HIDE) != FALSE;
    const bool saved = RunGuarded([this, wasShown] {
        try {
            if (Events != nullptr) {
                Events->FormClose();
            }
        } catch (...) {
            if (wasShown) {
                ShowWindow(Window, SW_SHOW);
            }
            throw;
        }
    });
    if (saved) {
        DestroyWindow(Window);
    }
}

LRESULT TWin32MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetDpi(WindowDpi(Window));
            CreateControls();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            if (!Placements.empty()) {  // not while the window is being created
                LayOut();
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1Id) {
                if (Events != nullptr) {
                    RunGuarded([this] { Events->Timer1Timer(); });
                }
                LogBox.Flush();
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATEAPP:
            // The program's own keys come to this thread from now on, or no more.
            RunGuarded([wParam] { TWin32OwnKeystrokeFilter::ThreadActivated(wParam != FALSE); });
            break;
        case DM_GETDEFID:
            // No button is the default one: DefDlgProcA may name a push button that had the
            // focus before, and Enter in a box would then click it.
            return 0;
        case WM_NOTIFY:
            if (wParam == kMemo1Id) {
                return LogBox.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            }
            break;
        case WM_DRAWITEM:
            if (std::ranges::any_of(EndButtons, [wParam](const auto& end) {
                    return static_cast<WPARAM>(GetDlgCtrlID(end.first)) == wParam;
                })) {
                DrawSaveButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), Font, Dpi);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        // A log-off or shutdown ends the program without closing the window, so without the
        // save: WM_QUERYENDSESSION and WM_ENDSESSION get the default processing.
        case WM_DESTROY:
            KillTimer(Window, kTimer1Id);
            // A window whose creation failed ends no message loop: the error box that says
            // why must not meet a quit message, which would close it at once.
            if (!CreationFailed()) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}
