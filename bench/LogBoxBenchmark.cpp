// Benchmark, not a test: event-log lines through TEventLog into the real log box on a visible
// window, at the program's pace (the twelve lines of one chunk, then one flush and one pass of
// the message loop, as one timer tick does), measured with an empty log, at 100,000 and at
// 1,000,000 lines; the Save of the whole log; and the process's memory growth against the
// bytes of the log's text. Prints figures, asserts nothing.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/EventLog.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32LogBox.h"

namespace {

constexpr std::size_t kMiddleLines = 100000;
constexpr std::size_t kLines = 1000000;
// A chunk of eleven keys logs its string and every key: twelve lines per tick.
constexpr int kLinesPerTick = 12;
constexpr int kMeasuredTicks = 200;
// The lines between the measured points go in larger batches, to keep the run short; the box
// only ever holds the count of lines, whatever the batch.
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

// Lets the window paint what the flush showed, as the message loop does between ticks.
void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The memory the process has committed for itself (PrivateUsage), and its working set;
// K32GetProcessMemoryInfo is kernel32's own copy of psapi's GetProcessMemoryInfo.
struct TMemory {
    double PrivateBytes = 0;
    double WorkingSetBytes = 0;
};

TMemory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    TMemory memory;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof counters)) {
        memory.PrivateBytes = static_cast<double>(counters.PrivateUsage);
        memory.WorkingSetBytes = static_cast<double>(counters.WorkingSetSize);
    }
    return memory;
}

// The box asks its parent for the text of the lines it draws, as in the main window.
TWin32LogBox* notifiedBox = nullptr;

LRESULT CALLBACK BenchmarkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && notifiedBox != nullptr) {
        return notifiedBox->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class TBench {
  public:
    TBench(TEventLog& log, TWin32LogBox& box) : Log(log), Box(box) {}

    void LogOne() {
        Log.LogEvent("Got key " + std::string(1, static_cast<char>('a' + Next % 26)) + " #" +
                     std::to_string(Next));
        ++Next;
    }

    // Appends lines until the log holds count, flushing every kFillLinesPerFlush.
    void FillTo(std::size_t count) {
        for (int inBatch = 0; Log.Lines().LineCount() < count; ++inBatch) {
            LogOne();
            if (inBatch + 1 == kFillLinesPerFlush) {
                Box.Flush();
                Pump();
                inBatch = -1;
            }
        }
        Box.Flush();
        Pump();
    }

    // The median milliseconds of one tick: twelve lines, one flush, one pass of the loop.
    double TickMs() {
        std::vector<double> ticks;
        for (int t = 0; t < kMeasuredTicks; ++t) {
            const LONGLONG start = Now();
            for (int i = 0; i < kLinesPerTick; ++i) {
                LogOne();
            }
            Box.Flush();
            Pump();
            ticks.push_back(Milliseconds(Now() - start));
        }
        std::sort(ticks.begin(), ticks.end());
        return ticks[ticks.size() / 2];
    }

  private:
    TEventLog& Log;
    TWin32LogBox& Box;
    int Next = 0;
};

// The same ticks into the multi-line edit control the log box used to be (one EM_REPLACESEL
// of the tick's lines at the end), empty at the start: the figure of before, in the same run
// on the same machine.
double EditTickMs(HWND window, HINSTANCE instance) {
    HWND edit = CreateWindowExA(0, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_READONLY,
                                8, 8, 448, 340, window, nullptr, instance, nullptr);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    Pump();
    std::vector<double> ticks;
    int next = 0;
    for (int t = 0; t < kMeasuredTicks; ++t) {
        const LONGLONG start = Now();
        std::string pending;
        for (int i = 0; i < kLinesPerTick; ++i) {
            pending += (next == 0 ? "" : "\r\n");
            pending += "12/8/2026 1:34:46 PM      Got key a #" + std::to_string(next++);
        }
        const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pending.c_str()));
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        Pump();
        ticks.push_back(Milliseconds(Now() - start));
    }
    DestroyWindow(edit);
    Pump();
    std::sort(ticks.begin(), ticks.end());
    return ticks[ticks.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const char* saveName = argc > 1 ? argv[1] : "Log.txt";
    QueryPerformanceFrequency(&frequency);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BenchmarkWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuorlLogBenchmark";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "QuorlLogBenchmark", "Quorl Log Benchmark",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 400, nullptr,
                                  nullptr, instance, nullptr);
    Pump();
    const double editTick = EditTickMs(window, instance);

    // The main window's log box: same class and styles, same size as at start.
    HWND listView = CreateWindowExA(0, TWin32LogBox::ClassName(), "", TWin32LogBox::kStyle, 8, 8,
                                    448, 340, window, nullptr, instance, nullptr);
    Pump();

    TWin32Clock clock;
    TWin32LogBox box;
    box.Attach(listView);
    notifiedBox = &box;
    const TMemory before = ProcessMemory();
    TEventLog log(clock, box);
    TBench bench(log, box);

    const double empty = bench.TickMs();
    bench.FillTo(kMiddleLines);
    const double middle = bench.TickMs();
    const LONGLONG fillStart = Now();
    bench.FillTo(kLines);
    const double fill = Milliseconds(Now() - fillStart);
    const double full = bench.TickMs();
    const TMemory after = ProcessMemory();
    const std::size_t lines = log.Lines().LineCount();
    const auto textBytes = static_cast<double>(log.Lines().TextBytes());

    const LONGLONG saveStart = Now();
    log.Save(saveName);
    const double save = Milliseconds(Now() - saveStart);
    const LRESULT shown = SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0);

    std::printf(
        "log box: one tick (%d lines, one flush, one pass of the loop), median of %d: empty log "
        "%.3f ms, at %zu lines %.3f ms, at %zu lines %.3f ms (%.2f x the empty log)\n",
        kLinesPerTick, kMeasuredTicks, empty, kMiddleLines, middle, kLines, full, full / empty);
    std::printf(
        "log box: the same tick into the multi-line edit of before, empty at the start: %.3f ms\n",
        editTick);
    std::printf("log box: %zu lines filled in between, %d per flush: %.0f ms\n",
                kLines - kMiddleLines, kFillLinesPerFlush, fill);
    std::printf("log box: Save of %zu lines to %s: %.0f ms; the box shows %ld lines\n", lines,
                saveName, save, static_cast<long>(shown));
    std::printf(
        "log box: memory growth for %.1f MB of text in %zu lines: private %.1f MB (%.2f x), "
        "working set %.1f MB (%.2f x); the store holds %.1f MB\n",
        textBytes / 1e6, lines, (after.PrivateBytes - before.PrivateBytes) / 1e6,
        (after.PrivateBytes - before.PrivateBytes) / textBytes,
        (after.WorkingSetBytes - before.WorkingSetBytes) / 1e6,
        (after.WorkingSetBytes - before.WorkingSetBytes) / textBytes,
        static_cast<double>(log.Lines().ReservedBytes()) / 1e6);
    notifiedBox = nullptr;
    DestroyWindow(window);
    return 0;
}
