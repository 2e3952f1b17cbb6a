// Benchmark helper, not a test: the least a Win32 program does to show a window ("Quorl Bare
// Window"), the comparison for QuorlWait.exe's start-to-window time.
#include <windows.h>

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuorlBareWindow";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "QuorlBareWindow", "Quorl Bare Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                    40, 320, 200, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}
