// The main window: builds its controls, routes clicks, ticks, show and close to the
// application, and keeps runtime errors inside the window procedure.
#include "platform/win32/Win32MainWindow.h"

#include <algorithm>

#include "platform/win32/MainWindowIds.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32LastError.h"
#include "platform/win32/WindowObject.h"
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
constexpr int kSaveButtonWidth = 80;
constexpr int kMemoTop = kMargin + 6 * kRowHeight;

constexpr DWORD kReadOnlyBox = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

int RowTop(int row) {
    return kMargin + row * kRowHeight;
}

}  // namespace

TWin32MainWindow::TWin32MainWindow(HINSTANCE instance) : Instance(instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TWin32MainWindow::WindowProc;
    windowClass.hInstance = Instance;
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The program's own icon, from its resources; LR_SHARED icons are never destroyed by us.
    windowClass.hIcon = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(IDI_QUORLWAIT),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(Instance, MAKEINTRESOURCEA(IDI_QUORLWAIT),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExA(&windowClass);

    // Created at its size for 96 DPI; WM_CREATE learns the window's DPI, and the window is
    // then grown to match while it is still hidden.
    Window =
        CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        kWindowWidth, kWindowHeight, nullptr, nullptr, Instance, this);
    if (CreationError) {
        // WM_CREATE answered -1, and CreateWindowExA destroyed the window.
        DeleteFont();
        std::rethrow_exception(CreationError);
    }
    if (Window == nullptr) {
        DeleteFont();
        ThrowLastError("Create window", kCaption);
    }
    if (Dpi != kDefaultDpi) {
        SetWindowPos(Window, nullptr, 0, 0, Scale(kWindowWidth), Scale(kWindowHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Timer1 runs from the window's creation; its ticks before Connect are dropped.
    SetTimer(Window, kTimer1Id, kTimer1IntervalMs, nullptr);
}

TWin32MainWindow::~TWin32MainWindow() {
    if (Window != nullptr) {
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
        DestroyWindow(Window);
    }
    DeleteFont();
}

void TWin32MainWindow::DeleteFont() {
    if (Font != nullptr) {
        DeleteObject(Font);
        Font = nullptr;
    }
}

void TWin32MainWindow::Show() {
    // The show handler runs before the window appears, once.
    if (!Shown) {
        Shown = true;
        if (Events != nullptr) {
            RunGuarded([this] { Events->FormShow(); });
        }
    }
    ShowWindow(Window, SW_SHOW);
    UpdateWindow(Window);
    LogBox.Flush();
}

void TWin32MainWindow::CreateControls() {
    struct TRow {
        const char* Label;
        TWin32TextBox* Box;
        int BoxId;
        bool Wide;
        const char* ButtonCaption;
        int ButtonId;
    };
    const TRow rows[] = {
        {"Wait Time", &WaitTimeBox, kWaitTimeEditId, false, "Set Wait Time", kButton2Id},
        {"Pit In Key", &PitInBox, kPitInEditId, false, "Set PI Key", kButton3Id},
        {"Wait Start Key", &KeyBox, kKeyEditId, false, "Set Wait Key", kButton1Id},
        {"Pit In Message", &PitInMessageBox, kPitInMessageEditId, true, "Set PI Message",
         kButton4Id},
        {"PO Pre-Warning", &POWarningBox, kPOWarningEditId, true, "Set PO Warning", kButton5Id},
        {"Pit Out Message", &PitOutMessageBox, kPitOutMessageEditId, true, "Set PO Message",
         kButton6Id},
    };
    int row = 0;
    for (const TRow& r : rows) {
        const int top = RowTop(row++);
        const int boxWidth = r.Wide ? kWideBoxWidth : kNarrowBoxWidth;
        AddControl("STATIC", r.Label, WS_CHILD | WS_VISIBLE | SS_LEFT, kLabelId + row, kMargin,
                   top + 3, kLabelWidth, kBoxHeight);
        r.Box->Attach(
            AddControl("EDIT", "", kReadOnlyBox, r.BoxId, kBoxX, top, boxWidth, kBoxHeight));
        AddControl("BUTTON", r.ButtonCaption, kButton, r.ButtonId, kBoxX + boxWidth + 8, top - 2,
                   kButtonWidth, kButtonHeight);
    }
    AddControl("BUTTON", "Save", kButton | BS_OWNERDRAW, kRzBitBtn1Id, 0, RowTop(0) - 2,
               kSaveButtonWidth, kButtonHeight);
    Memo = AddControl(TWin32LogBox::ClassName(), "", TWin32LogBox::kStyle, kMemo1Id, kMargin,
                      kMemoTop, 100, 100);
    LogBox.Attach(Memo);
    LayOut();
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
    HWND control = CreateWindowExA(
        0, className, text, style, Scale(x), Scale(y), Scale(width), Scale(height), Window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance, nullptr);
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
    LayOut();
    InvalidateRect(Window, nullptr, TRUE);
}

// The log fills the rest and grows with the window; Save stays at the right end of row 1.
void TWin32MainWindow::LayOut() {
    RECT client;
    GetClientRect(Window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HWND saveButton = GetDlgItem(Window, kRzBitBtn1Id);
    for (const TPlacement& placement : Placements) {
        if (placement.Control == Memo || placement.Control == saveButton) {
            continue;
        }
        const RECT& r = placement.At96;
        MoveWindow(placement.Control, Scale(r.left), Scale(r.top), Scale(r.right - r.left),
                   Scale(r.bottom - r.top), TRUE);
    }
    const int margin = Scale(kMargin);
    const int memoTop = Scale(kMemoTop);
    MoveWindow(Memo, margin, memoTop, std::max(width - 2 * margin, 0),
               std::max(height - memoTop - margin, 0), TRUE);
    LogBox.FitColumn();
    const int saveWidth = Scale(kSaveButtonWidth);
    MoveWindow(saveButton, std::max(width - margin - saveWidth, 0), Scale(RowTop(0) - 2), saveWidth,
               Scale(kButtonHeight), TRUE);
}

void TWin32MainWindow::OnCommand(int id, int notification) {
    if (Events == nullptr) {
        return;
    }
    if (id == kPitInMessageEditId && notification == EN_CHANGE) {
        RunGuarded([this] { Events->PitInMessageEditChange(); });
        return;
    }
    if (notification != BN_CLICKED) {
        return;
    }
    const TMainWindowButton buttons[] = {
        TMainWindowButton::Button1,   TMainWindowButton::Button2, TMainWindowButton::Button3,
        TMainWindowButton::Button4,   TMainWindowButton::Button5, TMainWindowButton::Button6,
        TMainWindowButton::RzBitBtn1,
    };
    if (id >= kButton1Id && id <= kRzBitBtn1Id) {
        const TMainWindowButton button = buttons[id - kButton1Id];
        RunGuarded([this, button] { Events->ButtonClick(button); });
    }
}

// The save runs at every close; when it fails the error is shown and the window stays open.
void TWin32MainWindow::OnClose() {
    const bool saved = RunGuarded([this] {
        if (Events != nullptr) {
            Events->FormClose();
        }
    });
    if (saved) {
        DestroyWindow(Window);
    }
}

// The Save button's glyph, our own: a small diskette left of the caption.
void TWin32MainWindow::DrawSaveButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int offset = pressed ? 1 : 0;
    const int glyphLeft = rect.left + Scale(8) + offset;
    const int glyphTop = (rect.top + rect.bottom) / 2 - Scale(7) + offset;
    // The glyph is drawn at 96 DPI in a 14 x 14 square, scaled to the window's DPI.
    const auto glyphRect = [&](int left, int top, int right, int bottom) {
        return RECT{glyphLeft + Scale(left), glyphTop + Scale(top), glyphLeft + Scale(right),
                    glyphTop + Scale(bottom)};
    };

    HBRUSH body = CreateSolidBrush(RGB(0, 0, 128));
    RECT disk = glyphRect(0, 0, 14, 14);
    FillRect(dc, &disk, body);
    DeleteObject(body);
    HBRUSH label = CreateSolidBrush(RGB(255, 255, 255));
    RECT paper = glyphRect(3, 1, 11, 6);
    FillRect(dc, &paper, label);
    DeleteObject(label);
    HBRUSH shutter = CreateSolidBrush(RGB(192, 192, 192));
    RECT slot = glyphRect(4, 9, 10, 14);
    FillRect(dc, &slot, shutter);
    DeleteObject(shutter);

    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, Font);
    RECT text{glyphLeft + Scale(18), rect.top + offset, rect.right - Scale(4) + offset,
              rect.bottom + offset};
    DrawTextA(dc, "Save", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0) {
        RECT focus = rect;
        InflateRect(&focus, -Scale(4), -Scale(4));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK TWin32MainWindow::WindowProc(HWND window,
                                              UINT message,
                                              WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = WindowObjectOf<TWin32MainWindow>(window, message, lParam);
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // CreateWindowExA has not returned yet while the creation messages arrive.
    self->Window = window;
    // Nothing may unwind through the system's frames. A failure while the window is created
    // ends its creation (-1 from WM_CREATE makes CreateWindowExA fail), and the constructor
    // throws it; any later one is reported, and the message counts as handled.
    if (message == WM_NCCREATE || message == WM_CREATE) {
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            self->CreationError = std::current_exception();
            return message == WM_CREATE ? -1 : FALSE;
        }
    }
    LRESULT result = 0;
    RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
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
            if (Memo != nullptr) {
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
        case WM_NOTIFY:
            if (wParam == kMemo1Id) {
                return LogBox.OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            }
            break;
        case WM_DRAWITEM:
            if (wParam == kRzBitBtn1Id) {
                DrawSaveButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
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
            if (!CreationError) {
                PostQuitMessage(0);
            }
            return 0;
        case WM_NCDESTROY: {
            HWND window = Window;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            Window = nullptr;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        default:
            break;
    }
    return DefWindowProcA(Window, message, wParam, lParam);
}
