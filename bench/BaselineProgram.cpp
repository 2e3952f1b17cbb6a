// Benchmark helper, not a test: the bare program that QuorlWait.exe is measured against ("Quorl
// Baseline"). One window, a 100 ms timer, and a low-level keyboard hook on a thread of its own
// that posts each key event to the window: what any program doing QuorlWait's job must do, with
// nothing else, so that what QuorlWait.exe costs beyond it is its own.
#include <windows.h>

namespace {

constexpr UINT kKeyMessage = WM_APP + 1;
constexpr UINT kTimerMs = 100;

HWND window = nullptr;

LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageA(window, kKeyMessage, event->vkCode, static_cast<LPARAM>(event->flags));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook procedure runs from this thread's message loop, which waits for nothing else.
DWORD WINAPI HookThread(void*) {
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, HookProcedure, GetModuleHandleA(nullptr), 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    }
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
    }
    return 0;
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static DWORD keys = 0;
    switch (message) {
        case kKeyMessage:
            ++keys;
            return 0;
        case WM_TIMER:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "QuorlBaseline";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "QuorlBaseline", "Quorl Baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             40, 40, 484, 436, nullptr, nullptr, instance, nullptr);
    SetTimer(window, 1, kTimerMs, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, HookThread, nullptr, 0, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    if (thread != nullptr) {
        PostThreadMessageA(GetThreadId(thread), WM_QUIT, 0, 0);
        WaitForSingleObject(thread, 2000);
        CloseHandle(thread);
    }
    return 0;
}
