// Benchmark, not a test: 100,000 event-log lines through TEventLog into the real log box on a
// visible window, at the program's pace (the lines of one chunk, then one flush and one pass of
// the message loop, as one timer tick does), and the Save of the whole log. Prints figures.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/EventLog.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Controls.h"

namespace {

constexpr int kLines = 100000;
constexpr int kMeasuredLines = 1000;
// A chunk of eleven keys logs its string and every key: twelve lines per tick.
constexpr int kLinesPerTick = 12;
// The lines between the measured ends go in larger batches, to keep the run short; the control
// grows the same.
constexpr int kFillLinesPerFlush = 1000;

LARGE_INTEGER frequency;

double Milliseconds(LONGLONG ticks) {
    return static_cast<double>(ticks) * 1e3 / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// Lets the window paint what the flush appended, as the message loop does between ticks.
void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Appends count lines, flushing every perFlush; returns the milliseconds it took.
double AppendLines(TEventLog& log, TWin32LogBox& box, int& next, int count, int perFlush) {
    const LONGLONG start = Now();
    for (int i = 0; i < count; ++i) {
        log.LogEvent("Got key " + std::string(1, static_cast<char>('a' + next % 26)) + " #" +
                     std::to_string(next));
        ++next;
        if ((i + 1) % perFlush == 0 || i + 1 == count) {
            box.Flush();
            Pump();
        }
    }
    return Milliseconds(Now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const char* saveName = argc > 1 ? argv[1] : "Log.txt";
    QueryPerformanceFrequency(&frequency);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuorlLogBenchmark";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "QuorlLogBenchmark", "Quorl Log Benchmark",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 400, nullptr,
                                  nullptr, instance, nullptr);
    // The main window's log box: same class and styles, same size as at start.
    HWND edit = CreateWindowExA(0, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_READONLY,
                                8, 8, 448, 340, window, nullptr, instance, nullptr);
    Pump();

    TWin32Clock clock;
    TWin32LogBox box;
    box.Attach(edit);
    TEventLog log(clock, box);

    int next = 0;
    const double first = AppendLines(log, box, next, kMeasuredLines, kLinesPerTick);
    const double fill =
        AppendLines(log, box, next, kLines - 2 * kMeasuredLines, kFillLinesPerFlush);
    const double last = AppendLines(log, box, next, kMeasuredLines, kLinesPerTick);
    const LRESULT shown = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);

    const LONGLONG saveStart = Now();
    log.Save(saveName);
    const double save = Milliseconds(Now() - saveStart);

    std::printf("log box: first %d lines %.0f ms (%.2f ms per tick of %d lines)\n", kMeasuredLines,
                first, first * kLinesPerTick / kMeasuredLines, kLinesPerTick);
    std::printf("log box: %d lines in between, %d per flush: %.0f ms\n",
                kLines - 2 * kMeasuredLines, kFillLinesPerFlush, fill);
    std::printf(
        "log box: last %d lines %.0f ms (%.2f ms per tick of %d lines), %ld characters "
        "shown\n",
        kMeasuredLines, last, last * kLinesPerTick / kMeasuredLines, kLinesPerTick,
        static_cast<long>(shown));
    std::printf("log box: Save of %zu lines to %s: %.0f ms\n", box.Lines().size(), saveName, save);
    DestroyWindow(window);
    return 0;
}
