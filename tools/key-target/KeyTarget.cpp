// quorl-key-target: the end-to-end tests' stand-in for the simulation. A window titled
// "Quorl Key Target" that writes every key-down and character it receives, with the
// milliseconds since its start, to the file named on its command line, one line each:
// "<ms> down <vk>", "<ms> sysdown <vk>" or "<ms> char <code>". With --previous-release it
// stands in for a copy of QuorlWait's previous release instead: its main window's class and
// caption, and no one-copy lock, which that release never took.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

std::FILE* Output = nullptr;
DWORD Start = 0;

void Record(const char* kind, unsigned value) {
    std::fprintf(Output, "%lu %s %u\n", static_cast<unsigned long>(GetTickCount() - Start), kind,
                 value);
    std::fflush(Output);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            Record("down", static_cast<unsigned>(wParam));
            return 0;
        // F10 comes as a system key; handled here, it never starts menu mode, which would
        // swallow the keys after it.
        case WM_SYSKEYDOWN:
            Record("sysdown", static_cast<unsigned>(wParam));
            return 0;
        case WM_SYSKEYUP:
        case WM_KEYUP:
            return 0;
        case WM_CHAR:
            Record("char", static_cast<unsigned>(wParam) & 0xFF);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool previousRelease = argc == 3 && std::strcmp(argv[2], "--previous-release") == 0;
    if (argc != 2 && !previousRelease) {
        std::fprintf(stderr, "usage: quorl-key-target <output file> [--previous-release]\n");
        return 2;
    }
    const char* className = previousRelease ? "TForm1" : "QuorlKeyTarget";
    const char* caption = previousRelease ? "Quorl Pit Timer v3.1" : "Quorl Key Target";
    Output = std::fopen(argv[1], "wb");
    if (Output == nullptr) {
        std::fprintf(stderr, "quorl-key-target: cannot create %s\n", argv[1]);
        return 3;
    }
    Start = GetTickCount();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, className, caption, WS_OVERLAPPEDWINDOW, 520, 40, 320, 200,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    std::fclose(Output);
    return 0;
}
