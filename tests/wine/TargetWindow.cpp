// The tests' target window: records key messages, handles F10 itself so that no menu mode
// swallows the keys that follow.
#include "tests/wine/TargetWindow.h"

#include "platform/win32/WindowObject.h"

namespace {
constexpr const char* kClassName = "QuorlTestTarget";

void RegisterTargetClass(WNDPROC windowProc) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
}
}  // namespace

TTargetWindow::TTargetWindow(const char* title) {
    RegisterTargetClass(&TTargetWindow::WindowProc);
    Window = CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW, 40, 40, 320, 200, nullptr,
                             nullptr, GetModuleHandleA(nullptr), this);
    ShowWindow(Window, SW_SHOW);
    UpdateWindow(Window);
}

TTargetWindow::~TTargetWindow() {
    if (Window != nullptr) {
        SetWindowLongPtrA(Window, GWLP_USERDATA, 0);
        DestroyWindow(Window);
    }
}

// Never destroyed: without a window manager Wine waits up to two seconds for a destroyed
// window to be withdrawn, on every test. The process's end takes the window away.
TTargetWindow& SharedTarget() {
    static auto* target = new TTargetWindow("Quorl test target");
    target->Keys.clear();
    target->Characters.clear();
    return *target;
}

bool TTargetWindow::TakeFocus() {
    SetForegroundWindow(Window);
    SetActiveWindow(Window);
    SetFocus(Window);
    return PumpUntil([&] { return GetForegroundWindow() == Window && GetFocus() == Window; }, 2000);
}

LRESULT CALLBACK TTargetWindow::WindowProc(HWND window,
                                           UINT message,
                                           WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = WindowObjectOf<TTargetWindow>(window, message, lParam);
    if (self != nullptr) {
        self->Window = window;  // CreateWindowExA has not returned during the first messages
        return self->Handle(message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TTargetWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            Keys.push_back({message, static_cast<UINT>(wParam),
                            static_cast<UINT>((lParam >> 16) & 0xFF), ((lParam >> 24) & 1) != 0});
            return 0;
        case WM_CHAR:
            Characters.push_back(static_cast<char>(wParam));
            return 0;
        default:
            return DefWindowProcA(Window, message, wParam, lParam);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return condition();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD durationMs) {
    PumpUntil([] { return false; }, durationMs);
}
