// Benchmark, not a test: what keyhook.dll's hook procedure costs per key beside a bare hook that
// only posts, and how long a key takes from keybd_event to OnKey. Prints figures, asserts none.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "components/CPKeyHook.h"
#include "keyhook/HookThread.h"
#include "platform/win32/Win32HiddenWindows.h"
#include "platform/win32/Win32KeyboardHookLibrary.h"
#include "platform/win32/Win32KeyboardQueries.h"

namespace {

constexpr UINT kHookMessage = TCPKeyHook::kHookMessage;
constexpr int kRounds = 10;
constexpr int kPairsPerRound = 100;  // a press and a release each
constexpr int kLatencyPresses = 500;
// F24 types nothing into whatever window has the focus.
constexpr BYTE kBenchKey = VK_F24;

using THookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);

LARGE_INTEGER frequency;

double Microseconds(LONGLONG ticks) {
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// The hook procedure under measurement, and where its durations go; the timing hook thread is
// the only writer while keys are injected, and the main thread reads after the round.
THookProc measured = nullptr;
std::vector<LONGLONG>* durations = nullptr;
HWND bareTarget = nullptr;

// The comparison: what any hook must do at least, post and chain.
LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageA(bareTarget, kHookMessage, event->vkCode, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installed in place of the measured procedure: the time around the call is the procedure's.
LRESULT CALLBACK TimingProc(int code, WPARAM wParam, LPARAM lParam) {
    LARGE_INTEGER before;
    LARGE_INTEGER after;
    QueryPerformanceCounter(&before);
    const LRESULT result = measured(code, wParam, lParam);
    QueryPerformanceCounter(&after);
    if (code == HC_ACTION && durations->size() < durations->capacity()) {
        durations->push_back(after.QuadPart - before.QuadPart);
    }
    return result;
}

HANDLE hookReady = nullptr;

DWORD WINAPI TimingThread(void*) {
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, &TimingProc, GetModuleHandleA(nullptr), 0);
    SetEvent(hookReady);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

void Tap() {
    keybd_event(kBenchKey, 0x6F, 0, 0);
    keybd_event(kBenchKey, 0x6F, KEYEVENTF_KEYUP, 0);
}

// Runs one round of key pairs through the procedure inside a real low-level hook.
void MeasureRound(THookProc procedure, std::vector<LONGLONG>& into) {
    measured = procedure;
    durations = &into;
    hookReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &TimingThread, nullptr, 0, &threadId);
    WaitForSingleObject(hookReady, INFINITE);
    for (int i = 0; i < kPairsPerRound; ++i) {
        Tap();
        Pump();
    }
    Sleep(50);
    Pump();
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(hookReady);
}

void Print(const char* label, std::vector<LONGLONG> ticks) {
    if (ticks.empty()) {
        std::printf("%-34s no samples\n", label);
        return;
    }
    std::sort(ticks.begin(), ticks.end());
    const auto at = [&](double fraction) {
        return Microseconds(ticks[static_cast<std::size_t>(fraction * (ticks.size() - 1))]);
    };
    std::printf("%-34s n=%5zu  median %8.2f us  p99 %8.2f us  max %8.2f us\n", label, ticks.size(),
                at(0.5), at(0.99), Microseconds(ticks.back()));
}

}  // namespace

int main() {
    QueryPerformanceFrequency(&frequency);
    TWin32HiddenWindows windows;
    int received = 0;
    auto target = windows.CreateHiddenWindow(
        [&](TMessage& message) { received += message.Msg == kHookMessage ? 1 : 0; });
    const auto targetWindow = reinterpret_cast<HWND>(target->Handle());
    bareTarget = targetWindow;

    // Both procedures run in the same hook and the same conditions, round by round in turn.
    std::vector<LONGLONG> keyhookTicks;
    std::vector<LONGLONG> bareTicks;
    keyhookTicks.reserve(kRounds * kPairsPerRound * 2);
    bareTicks.reserve(kRounds * kPairsPerRound * 2);
    // The hook thread's procedure, pointed at the target but installed by the timing thread.
    THookThread hookThread;
    if (!hookThread.BeginReports(targetWindow, kHookMessage)) {
        std::printf("the hook procedure reports for another object\n");
        return 1;
    }
    for (int round = 0; round < kRounds; ++round) {
        MeasureRound(&THookThread::Procedure, keyhookTicks);
        MeasureRound(&BareProc, bareTicks);
    }
    hookThread.EndReports();

    std::printf("Hook procedure, per key event (%d rounds of %d presses and releases each):\n",
                kRounds, kPairsPerRound);
    Print("  keyhook.dll procedure", keyhookTicks);
    Print("  bare hook (post and chain only)", bareTicks);
    std::printf("  reports received %d, lost %lu\n", received, hookThread.LostReports());

    // The whole road: keybd_event, the system, the DLL's hook thread, the posted report, the
    // decoding and OnKey, on keyhook.dll loaded as the program loads it (its test build, whose
    // exports the counters and the shorter period are). First with the shipped reinstall
    // period (15 s: none during the run), then with the hook put back at every 250 ms check,
    // 60 times as often, to show what a reinstall costs the keys around it.
    // The watch loads keyhook.dll at its first start; the period must be set before that, so
    // the benchmark loads the same file first (the application's folder comes first in the
    // search order), and the watch's load then finds this very module.
    HMODULE module = LoadLibraryA("keyhook.dll");
    if (module == nullptr) {
        std::printf("keyhook.dll not found beside the benchmark\n");
        return 1;
    }
    TWin32KeyboardQueries keyboard;
    TWin32KeyboardHookLibrary library;
    using TCountProc = DWORD(WINAPI*)();
    using TSetPeriodProc = void(WINAPI*)(DWORD);
    const auto lost = reinterpret_cast<TCountProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "KeyboardHook_LostReports")));
    const auto reinstalls = reinterpret_cast<TCountProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "KeyboardHook_Reinstalls")));
    const auto setPeriod = reinterpret_cast<TSetPeriodProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(module, "KeyboardHook_SetReinstallPeriodForTest")));
    if (lost == nullptr || reinstalls == nullptr || setPeriod == nullptr) {
        std::printf("keyhook.dll beside the benchmark is not its test build\n");
        return 1;
    }
    for (const DWORD periodMs : {0ul, 250ul}) {
        setPeriod(periodMs);
        TCPKeyHook hook(nullptr, keyboard, library, windows);
        LARGE_INTEGER reported{};
        int pressesSeen = 0;
        hook.OnKey = [&](TComponent*, TKeyStates states, TKeyNames) {
            if (states.KeyDown) {
                QueryPerformanceCounter(&reported);
                ++pressesSeen;
            }
        };
        if (!hook.StartHook()) {
            std::printf("KeyboardHook_Start refused: %s\n",
                        library.LastStartProblem().Detail.c_str());
            return 1;
        }
        const DWORD reinstallsBefore = reinstalls();
        const DWORD started = GetTickCount();
        std::vector<LONGLONG> latencies;
        latencies.reserve(kLatencyPresses);
        for (int i = 0; i < kLatencyPresses; ++i) {
            const int before = pressesSeen;
            LARGE_INTEGER sent;
            QueryPerformanceCounter(&sent);
            keybd_event(kBenchKey, 0x6F, 0, 0);
            const DWORD start = GetTickCount();
            while (pressesSeen == before && GetTickCount() - start < 1000) {
                Pump();
                if (pressesSeen == before) {
                    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
                }
            }
            if (pressesSeen != before) {
                latencies.push_back(reported.QuadPart - sent.QuadPart);
            }
            keybd_event(kBenchKey, 0x6F, KEYEVENTF_KEYUP, 0);
            Pump();
            // Spread over a few seconds, so that the short period puts the hook back many
            // times among the presses.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        std::printf(
            "From keybd_event to OnKey (%d presses, real keyhook.dll, reinstall period "
            "%s):\n",
            kLatencyPresses, periodMs == 0 ? "15 s as shipped" : "250 ms");
        Print("  press reported", latencies);
        std::printf("  reinstalls %lu in %lu ms, lost reports %lu\n",
                    reinstalls() - reinstallsBefore, GetTickCount() - started, lost());
    }
    setPeriod(0);
    return 0;
}
